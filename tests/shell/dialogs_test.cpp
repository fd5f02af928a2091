#include "app/qttexts.h"
#include "app/realservices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

// Qt's own dialogs and the program's message boxes, as the user sees them.

TEST(QtTexts, QtsOwnDialogsSpeakFinnish)
{
    QTranslator* translator = installFinnishQtTexts();
    ASSERT_TRUE(translator) << "Qt's Finnish texts come with the program's packages";

    QMessageBox box(QMessageBox::Question, "Tallenna", "Tallennetaanko?", QMessageBox::Save | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Peru");
    EXPECT_EQ(box.button(QMessageBox::Save)->text(), "Tallenna");

    QTemporaryDir dir;
    QFileDialog dialog(nullptr, "Valitse rivitiedosto", dir.path(), "Rivitiedostot (*.1X2)");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // "Look in:", "File name:", "Open" and "Cancel".
    EXPECT_EQ(dialog.findChild<QLabel*>("lookInLabel")->text(), "Lähde:");
    EXPECT_EQ(dialog.findChild<QLabel*>("fileNameLabel")->text(), "Tiedosto&nimi:");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), "&Avaa");
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Peru");

    // The windows' numbers are Finnish too, though the machine's locale is C.
    EXPECT_EQ(QLocale().toString(1458), QString::fromUtf8("1\u00a0458"));
    EXPECT_EQ(QLocale().toString(0.1, 'f', 2), "0,10");

    QLocale::setDefault(QLocale::c());
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(MessageBoxes, AClosingQuestionMarkStaysOnTheLineOfItsWord)
{
    const QString text = "Tiedosto on jo olemassa, haluatko varmasti jatkaa samaan tiedostoon ?";
    QStringList loneMarks;
    bool seen = false;
    QTimer::singleShot(0, qApp, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_TRUE(label);
        seen = true;
        // However wide the box comes out, the "?" never makes a line of its own.
        for (int width = 120; width <= 640; width += 4) {
            QTextLayout layout(label->text(), label->font());
            layout.beginLayout();
            QString last;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                last = label->text().mid(line.textStart(), line.textLength()).trimmed();
            }
            layout.endLayout();
            if (last == "?")
                loneMarks << QString::number(width);
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    BoxMessages boxes;
    EXPECT_EQ(boxes.show(text, Messages::YesNo | Messages::Question, "Tallenna"), Messages::No);
    EXPECT_TRUE(seen);
    EXPECT_EQ(loneMarks, QStringList()) << "widths at which the ? stood alone";
}
