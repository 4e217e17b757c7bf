#include "controls/KXDefaults.h"
#include "controls/TKXButton.h"
#include "controls/TKXCheckBox.h"
#include "controls/TKXEdit.h"
#include "controls/TKXGruppe.h"
#include "controls/TKXLabel.h"
#include "controls/TKXRadio.h"

#include <QPalette>
#include <gtest/gtest.h>

namespace {

void expectDefaultFont(const QWidget& w) {
    EXPECT_EQ(w.font().family(), "MS Sans Serif") << w.metaObject()->className();
    EXPECT_EQ(w.font().pointSize(), 8) << w.metaObject()->className();
}

TEST(KXControls, EveryControlStartsWithTheSmallSansSerifFont) {
    TKXGruppe group;
    expectDefaultFont(TKXEdit(&group));
    expectDefaultFont(TKXButton(&group));
    expectDefaultFont(TKXLabel(&group));
    expectDefaultFont(group);
    expectDefaultFont(TKXRadio(&group));
    expectDefaultFont(TKXCheckBox(&group));
}

TEST(KXControls, GroupCaptionIsNavyWhileItsControlsStayBlack) {
    TKXGruppe group(QStringLiteral("Auftraggeberdaten"));
    auto* label = new TKXLabel(QStringLiteral("Name"), &group);
    auto* radio = new TKXRadio(QStringLiteral("Lastschrift"), &group);
    auto* check = new TKXCheckBox(QStringLiteral("B2B"), &group);
    auto* edit = new TKXEdit(&group);
    EXPECT_EQ(group.palette().color(QPalette::WindowText), kxdefaults::navy());
    for (QWidget* w : std::initializer_list<QWidget*>{label, radio, check}) {
        EXPECT_EQ(w->palette().color(QPalette::WindowText), kxdefaults::black())
            << w->metaObject()->className();
    }
    EXPECT_EQ(edit->palette().color(QPalette::Text), kxdefaults::black());
}

TEST(KXControls, EntryFieldIs20HighWithIBeamAndWhiteDisabledBackground) {
    TKXEdit edit;
    EXPECT_EQ(edit.height(), TKXEdit::kHeight);
    EXPECT_EQ(edit.sizeHint().height(), TKXEdit::kHeight);
    EXPECT_EQ(edit.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(edit.pictureMask(), 'X');
    EXPECT_EQ(edit.maxLength(), 255);
    const QPalette p = edit.palette();
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Base),
              p.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Text), kxdefaults::grayText());
}

TEST(KXControls, ButtonIs85By26WithGlyphMarginThree) {
    TKXButton button(QStringLiteral("XMLCreate"));
    EXPECT_EQ(button.size(), QSize(85, 26));
    EXPECT_EQ(button.glyphMargin(), 3);
    EXPECT_TRUE(button.setProperty("glyphMargin", 2));
    EXPECT_EQ(button.glyphMargin(), 2);
    EXPECT_TRUE(button.setProperty("Tag", 5));
    EXPECT_EQ(button.tag(), 5);
}

} // namespace
