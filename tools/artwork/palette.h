#pragma once

#include <QColor>

// One small palette for every piece of artwork, so the toolbar reads as one set.
namespace artwork::palette {

inline const QColor ink{0x2b, 0x3a, 0x4a};
inline const QColor paper{0xff, 0xff, 0xff};
inline const QColor paperShade{0xe4, 0xea, 0xf0};
inline const QColor greyLight{0xc9, 0xd2, 0xdc};
inline const QColor grey{0x8a, 0x97, 0xa6};
inline const QColor blue{0x3b, 0x82, 0xd6};
inline const QColor blueLight{0x8c, 0xbd, 0xf0};
inline const QColor green{0x2e, 0xaa, 0x5c};
inline const QColor greenDark{0x23, 0x85, 0x47};
inline const QColor red{0xe0, 0x48, 0x48};
inline const QColor yellow{0xf5, 0xc5, 0x42};
inline const QColor yellowLight{0xfc, 0xe8, 0x9a};
inline const QColor wood{0xd9, 0x8a, 0x3d};

} // namespace artwork::palette
