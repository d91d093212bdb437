// The command bar on the real widgets: dimming, pending transfers, toggles, password.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "app/branding.h"
#include "support/rig.h"

namespace {

struct DimCase {
    const char* control;
    bool dimmedForTransfer;
    bool dimmedForGo;
    bool enabledAfterUndim;
};

const DimCase kDimTable[] = {
    {"ButtonSend", true, false, true},
    {"ButtonGet", true, false, true},
    {"SelectMemRam", true, false, true},
    {"SelectMemEeprom", true, false, true},
    {"SelectMemFile", true, false, true},
    {"ButtonGo", true, true, true},
    {"ButtonTryToConnect", true, true, true},
    {"EditSelectBaudrate", true, true, true},
    {"ButtonChangeBaudrate", true, true, false},
    {"ButtonGenHwInfoFile", true, true, false},
    {"ButtonSendCF", true, true, true},
    {"ButtonGetCF", true, true, true},
    {"ButtonCalcCF", true, true, true},
    {"ButtonStartSelfCalibration", true, true, true},
    {"ButtonSendOffset", true, true, true},
    {"ButtonGetOffset", true, true, true},
    {"ButtonCalcOffset", true, true, true},
    {"ButtonSelRecFile", true, true, true},
    {"EditSelectDataRec", true, true, true},
    {"ButtonStartRecord", true, true, true},
    {"ButtonStartTrigRec", true, true, true},
    {"ButtonGetCycleTime", true, true, true},
    {"ButtonScan", true, true, true},
    {"ButtonBreakScan", true, true, true},
    {"ButtonTP2Start", true, true, true},
    // Never touched.
    {"ButtonStop", false, false, true},
    {"SelectParaSet0", false, false, true},
    {"SelectParaSet1", false, false, true},
    {"ButtonManualRecord", false, false, true},
    {"ButtonStopRecord", false, false, true},
};

QWidget* Find(Program& p, const char* name) {
    for (QWidget* root : p.panels.All())
        if (QWidget* w = root->findChild<QWidget*>(name)) return w;
    return nullptr;
}

}  // namespace

TEST(SetButtonsDimmed, FollowsTheTableInBothModes) {
    for (DimMode mode : {DimMode::Transfer, DimMode::Go}) {
        Rig rig;
        Program& p = rig.program;
        for (const DimCase& c : kDimTable) {
            ASSERT_NE(Find(p, c.control), nullptr) << c.control;
            Find(p, c.control)->setEnabled(true);
        }
        p.commandBar.SetButtonsDimmed(mode, true);
        for (const DimCase& c : kDimTable) {
            const bool dimmed = mode == DimMode::Transfer ? c.dimmedForTransfer : c.dimmedForGo;
            EXPECT_EQ(Find(p, c.control)->isEnabled(), !dimmed)
                << c.control << (mode == DimMode::Go ? " go" : " transfer");
        }
        p.commandBar.SetButtonsDimmed(DimMode::Transfer, false);
        for (const DimCase& c : kDimTable)
            EXPECT_EQ(Find(p, c.control)->isEnabled(), c.enabledAfterUndim) << c.control;
    }
}

TEST(SetButtonsDimmed, NeverTouchesStopOrTheParameterSetToggles) {
    Rig rig;
    Ui::MAINP& m = rig.program.panels.mainUi;
    for (QWidget* w :
         {static_cast<QWidget*>(m.ButtonStop), static_cast<QWidget*>(m.SelectParaSet1)})
        w->setEnabled(false);
    rig.program.commandBar.SetButtonsDimmed(DimMode::Transfer, false);
    EXPECT_FALSE(m.ButtonStop->isEnabled());
    EXPECT_FALSE(m.SelectParaSet1->isEnabled());
}

TEST(CommandBar, SendAndGetQueueWhileGoRuns) {
    Rig rig;
    Program& p = rig.program;
    int sends = 0, gets = 0;
    bool dimmedDuringSend = false;
    QObject::connect(&p.commandBar, &CommandBar::SendRequested, [&] {
        ++sends;
        dimmedDuringSend = !p.panels.mainUi.ButtonGet->isEnabled();
    });
    QObject::connect(&p.commandBar, &CommandBar::GetRequested, [&] { ++gets; });

    p.window.show();
    p.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.window));
    p.flags.goRunning = true;
    QTest::keyClick(p.window.windowHandle(), Qt::Key_F9);  // through the shortcut map
    // A shortcut presses the button visibly, so the click lands a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.flags.sendPending; }, 2000));
    p.panels.mainUi.ButtonGet->click();
    EXPECT_TRUE(p.flags.getPending);
    EXPECT_EQ(sends + gets, 0);
    EXPECT_TRUE(p.panels.mainUi.ButtonGet->isEnabled());

    p.flags.goRunning = false;
    p.flags.sendPending = false;
    p.panels.mainUi.ButtonSend->click();
    EXPECT_EQ(sends, 1);
    EXPECT_TRUE(dimmedDuringSend);
    EXPECT_TRUE(p.panels.mainUi.ButtonGet->isEnabled());
    EXPECT_FALSE(p.flags.sendPending);
}

TEST(CommandBar, StopClearsGoRunning) {
    Rig rig;
    rig.program.flags.goRunning = true;
    rig.program.panels.mainUi.ButtonStop->click();
    EXPECT_FALSE(rig.program.flags.goRunning);
}

TEST(CommandBar, TogglesKeepExactlyOneOn) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    const std::pair<QPushButton*, MemorySelect> memory[] = {{m.SelectMemEeprom, MemorySelect::Eeprom},
                                                            {m.SelectMemFile, MemorySelect::File},
                                                            {m.SelectMemFile, MemorySelect::File},
                                                            {m.SelectMemRam, MemorySelect::Ram}};
    for (auto [button, value] : memory) {
        button->click();
        EXPECT_EQ(p.flags.memorySelect, value);
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(m.SelectMemRam->isChecked() + m.SelectMemEeprom->isChecked() +
                      m.SelectMemFile->isChecked(),
                  1);
    }
    m.SelectParaSet1->click();
    EXPECT_EQ(p.flags.parameterSetIndex, 1);
    EXPECT_FALSE(m.SelectParaSet0->isChecked());
    m.SelectParaSet1->click();
    EXPECT_TRUE(m.SelectParaSet1->isChecked());
    m.SelectParaSet0->click();
    EXPECT_EQ(p.flags.parameterSetIndex, 0);
}

TEST(CommandBar, AssistiveTechnologyActionsActAsClicks) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    const auto act = [](QWidget* w, const QString& action) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(a->actionInterface(), nullptr);
        ASSERT_TRUE(a->actionInterface()->actionNames().contains(action));
        a->actionInterface()->doAction(action);
    };
    act(m.SelectMemFile, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(p.flags.memorySelect, MemorySelect::File);
    act(m.SelectParaSet1, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(p.flags.parameterSetIndex, 1);
    // Toggling the one that is on leaves exactly one on.
    act(m.SelectMemFile, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(m.SelectMemFile->isChecked());
    EXPECT_EQ(p.flags.memorySelect, MemorySelect::File);

    p.flags.goRunning = true;
    act(m.ButtonStop, QAccessibleActionInterface::pressAction());
    // A press is animated: the click lands a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.flags.goRunning; }, 2000));
}

TEST(Password, OnlyTheExactTextUncoversTheOffsetPage) {
    struct Case {
        const char* entered;
        bool uncovers;
    };
    for (const Case c : {Case{"wrong", false}, Case{"QUIBEX", false}, Case{"quibex", true}}) {
        Rig rig;
        Program& p = rig.program;
        p.StartUp();
        QTest::mouseDClick(p.panels.mainUi.DecoCalibrate1, Qt::RightButton);
        ASSERT_TRUE(p.panels.passwordp.widget.isVisible());
        QLineEdit* field = p.panels.passwordp.ui.StringEnterPW;
        EXPECT_EQ(field->text(), "");
        QTest::keyClicks(field, c.entered);
        QTest::keyClick(field, Qt::Key_Return);
        QTabWidget* tabs = p.panels.mainUi.TabMain1;
        EXPECT_EQ(tabs->isTabVisible(PAGE_OFFSET_COMPENSATION), c.uncovers) << c.entered;
        EXPECT_EQ(p.panels.passwordp.widget.isVisible(), !c.uncovers);
        if (c.uncovers) {
            EXPECT_EQ(tabs->currentIndex(), PAGE_OFFSET_COMPENSATION);
            EXPECT_TRUE(rig.platform.shown.isEmpty());
        } else {
            ASSERT_EQ(rig.platform.shown.size(), 1);
            EXPECT_EQ(rig.platform.shown[0].title, "ATTENTION!");
            EXPECT_EQ(rig.platform.shown[0].text, "Wrong password. \nPlease try again.");
            EXPECT_EQ(field->text(), "");
        }
    }
}

TEST(Password, FieldIsMaskedAndLimited) {
    Rig rig;
    QLineEdit* field = rig.program.panels.passwordp.ui.StringEnterPW;
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    EXPECT_EQ(field->maxLength(), 20);
}

TEST(Password, ClosingThePopupChangesNothing) {
    Rig rig;
    Program& p = rig.program;
    p.StartUp();
    p.password.Open();
    QTest::keyClicks(p.panels.passwordp.ui.StringEnterPW, "quib");
    p.panels.passwordp.widget.close();
    EXPECT_FALSE(p.panels.mainUi.TabMain1->isTabVisible(PAGE_OFFSET_COMPENSATION));
    EXPECT_TRUE(rig.platform.shown.isEmpty());
}

TEST(Branding, LabelsAndLogoSitWhereTheyBelong) {
    Rig rig;
    QFile::copy(QString(LOGO_SOURCE), rig.sim.Dir() + "/chromik-scope-logo.png");
    rig.program.StartUp();
    QWidget* banner = rig.program.panels.mainUi.DecoBanner;
    const struct {
        const char* name;
        QPoint at;
        int pointSize;
    } labels[] = {{"LabelBrandTitle", {323, 29}, 19},
                  {"LabelBrandName", {15, 6}, 11},
                  {"LabelBrandPhone", {15, 22}, 11},
                  {"LabelBrandWeb", {15, 36}, 11}};
    for (const auto& l : labels) {
        auto* label = banner->findChild<QLabel*>(l.name);
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->mapTo(&rig.program.window, QPoint(0, 0)), l.at) << l.name;
        EXPECT_EQ(label->font().pointSize(), l.pointSize);
    }
    EXPECT_EQ(banner->findChild<QLabel*>("LabelBrandTitle")->text(), "CHROMIK3-DLS-Scope V4.2");
    auto* logo = banner->findChild<QLabel*>("PictureLogo");
    EXPECT_EQ(logo->mapTo(&rig.program.window, QPoint(0, 0)), QPoint(325, 6));
    EXPECT_FALSE(logo->pixmap().isNull());
}

TEST(Branding, MissingLogoLeavesItEmptyAndSaysNothing) {
    Rig rig;
    rig.program.StartUp();
    EXPECT_TRUE(
        rig.program.panels.mainUi.DecoBanner->findChild<QLabel*>("PictureLogo")->pixmap().isNull());
    EXPECT_TRUE(rig.platform.shown.isEmpty());
}
