#pragma once

#include <QPixmap>

// Small pictures of the printing windows, drawn rather than carried as files.

// A pools coupon as fed into the printer: ten rows of three mark lines across
// thirteen match columns, the extra column at the left.
QPixmap couponPicture();
inline constexpr int kCouponPictureWidth = 148;
inline constexpr int kCouponPictureHeight = 104;

// The frame laid over the coupon picture where the printing lands.
QPixmap markerPicture();
inline constexpr int kMarkerWidth = 124;
inline constexpr int kMarkerHeight = 92;

// A desktop ink-jet printer.
QPixmap printerPicture();

// A pocket calculator; clicking it starts the calculator program.
QPixmap calculatorPicture();
