// The program shell: start-up state, panels, main tab events, help popups.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "app/helptexts.h"
#include "support/rig.h"

TEST(StartUp, ConnectsWithDefaultsAndShowsTheParameterPage) {
    Rig rig({"--firmware", "FW"});
    Program& p = rig.program;
    p.StartUp();
    Ui::MAINP& m = p.panels.mainUi;
    EXPECT_EQ(p.window.windowTitle(), "CHROMIK3-DLS-Scope V4.2");
    // Defaults reach the sensor on COM1 at 115200 Bd.
    EXPECT_TRUE(p.flags.linkOk);
    EXPECT_EQ(p.link.settings.comPort, 1);
    EXPECT_EQ(p.link.settings.baudIndex, 4);
    EXPECT_EQ(rig.Status(), "FW");
    EXPECT_EQ(m.TabMain1->currentIndex(), PAGE_PARAMETER);
    EXPECT_EQ(p.panels.datap.ui.TabDataP1->currentIndex(), DATA_PAGE_3D);
    EXPECT_FALSE(m.TabMain1->isTabVisible(PAGE_OFFSET_COMPENSATION));
    EXPECT_EQ(m.ChildArea->currentWidget(), &p.panels.datap.widget);
    EXPECT_TRUE(m.ButtonGo->isEnabled());
    EXPECT_TRUE(m.ButtonTryToConnect->isEnabled());
}

TEST(MainTabs, CommunicationAndScopePagesStopGo) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    m.TabMain1->setCurrentIndex(PAGE_PARAMETER);
    m.ButtonAccept->setEnabled(true);
    p.flags.goRunning = true;
    m.TabMain1->setCurrentIndex(PAGE_COMMUNICATION);
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_FALSE(m.ButtonAccept->isEnabled());

    p.flags.goRunning = true;
    m.TabMain1->setCurrentIndex(PAGE_SCOPE_SETTINGS);
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_EQ(m.ChildArea->currentWidget(), &p.panels.scopep.widget);
}

TEST(Panels, ShowChildPanelShowsOneAtATime) {
    Rig rig;
    Panels& panels = rig.program.panels;
    panels.ShowChildPanel(&panels.teachp1.widget);
    EXPECT_EQ(panels.mainUi.ChildArea->currentWidget(), &panels.teachp1.widget);
    panels.ShowChildPanel(&panels.colbigp.widget);  // not a child panel
    EXPECT_EQ(panels.mainUi.ChildArea->currentWidget(), &panels.datap.widget);
}

TEST(MainWindow, CloseRequestStopsGoAndQuits) {
    Rig rig;
    Program& p = rig.program;
    bool quit = false;
    QObject::connect(&p, &Program::Quit, [&] { quit = true; });
    p.flags.goRunning = true;
    p.window.show();
    p.window.close();
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_TRUE(quit);
}

TEST(MainWindow, RightDoubleClickRestoresTheDefaultSize) {
    Rig rig;
    MainWindow& w = rig.program.window;
    w.show();
    w.resize(1000, 700);
    QTest::mouseDClick(&w, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(w.size(), QSize(790, 548));
}

TEST(StatusLine, RightDoubleClickClearsTheLog) {
    Rig rig;
    Program& p = rig.program;
    p.comm.AppendLog("something\n");
    p.comm.ShowStatus("FW");
    QTest::mouseDClick(p.panels.datap.ui.DispStatus, Qt::RightButton);
    EXPECT_EQ(rig.Log(), "");
    EXPECT_EQ(rig.Status(), "FW");
}

TEST(Help, EveryEntryNamesAControlAndARightClickShowsItsText) {
    Rig rig;
    Program& p = rig.program;
    EXPECT_TRUE(p.MissingHelpControls().isEmpty()) << p.MissingHelpControls().join(", ").toStdString();
    for (int i = 0; i < HELP_TEXT_COUNT; ++i) {
        QWidget* control = nullptr;
        for (QWidget* root : p.panels.All())
            if ((control = root->findChild<QWidget*>(HELP_TEXTS[i].control))) break;
        ASSERT_NE(control, nullptr) << HELP_TEXTS[i].control;
        rig.platform.shown.clear();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(control, &event);
        ASSERT_EQ(rig.platform.shown.size(), 1) << HELP_TEXTS[i].control;
        EXPECT_EQ(rig.platform.shown[0].title, "INFO!");
        EXPECT_EQ(rig.platform.shown[0].text, QString::fromUtf8(HELP_TEXTS[i].text));
    }
}

TEST(Help, ExactTexts) {
    Rig rig;
    const std::pair<const char*, QString> cases[] = {
        {"ButtonAccept", "Accept settings for communication \nand switch to parapanel. "},
        {"EditSelectBaudrate",
         "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust "
         "work with the same Baudrate. "},
    };
    for (const auto& [name, text] : cases) {
        QWidget* control = rig.program.window.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(rig.program.help.HelpOf(control).second, text);
    }
}
