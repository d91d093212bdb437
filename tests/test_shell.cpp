// The program shell: start-up state, panels, main tab events, help popups.
#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QTimer>

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
    // Start-up opens the 3D page; the sensor's set is in a 2D mode, so the cascade after
    // reading it puts the 2D page in its place.
    EXPECT_EQ(p.panels.datap.ui.TabDataP1->currentIndex(), DATA_PAGE_2D);
    EXPECT_FALSE(p.panels.datap.ui.TabDataP1->isTabVisible(DATA_PAGE_3D));
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

namespace {

// The program's event loop as main runs it; 1 when it has not ended within watchdogMs.
int RunEventLoop(int watchdogMs) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(watchdogMs);
    return QCoreApplication::exec();
}

}  // namespace

TEST(MainWindow, CloseRequestDuringGoStopsGoSavesAndEndsTheEventLoop) {
    Rig rig;
    Program& p = rig.program;
    rig.SelectSerial();
    p.comm.TryToConnect();
    ASSERT_TRUE(p.flags.linkOk);
    p.window.show();
    bool wasRunning = false;
    // The close arrives while GO runs inside the GO button's callback.
    QTimer::singleShot(150, &p, [&] { wasRunning = p.flags.goRunning; });
    QTimer::singleShot(0, &p, [&] { p.panels.mainUi.ButtonGo->click(); });
    QTimer::singleShot(200, &p, [&] { p.window.close(); });
    EXPECT_EQ(RunEventLoop(5000), 0);
    EXPECT_TRUE(wasRunning);
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_TRUE(QFile::exists(p.panelSettings.Path()));
}

TEST(MainWindow, CloseDuringASilentConnectEndsWithoutSittingOutTheTimeOuts) {
    Rig rig({"--fault", "silent", "--fault-every", "1"});
    Program& p = rig.program;
    rig.SelectSerial();
    // Far longer than the watchdog: only giving up at the close request can pass.
    p.link.answerTimeout = 60;
    p.window.show();
    QTimer::singleShot(0, &p, [&] { p.comm.TryToConnect(); });
    QTimer::singleShot(300, &p, [&] { p.window.close(); });
    EXPECT_EQ(RunEventLoop(20000), 0);
    EXPECT_TRUE(QFile::exists(p.panelSettings.Path()));
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
    p.report.AppendLog("something\n");
    p.report.ShowStatus("FW");
    QTest::mouseDClick(p.panels.datap.ui.DispStatus, Qt::RightButton);
    EXPECT_EQ(rig.Log(), "");
    EXPECT_EQ(rig.Status(), "FW");
}

TEST(Help, EveryEntryNamesOneControlAndARightClickShowsItsText) {
    Rig rig;
    Program& p = rig.program;
    EXPECT_TRUE(p.MissingHelpControls().isEmpty())
        << p.MissingHelpControls().join(", ").toStdString();
    QSet<QString> seen;
    for (int t = 0; t < HELP_TABLE_COUNT; ++t) {
        const HelpTable& table = HELP_TABLES[t];
        for (int i = 0; i < table.count; ++i) {
            const QString name = table.entries[i].control;
            EXPECT_FALSE(seen.contains(name)) << "listed twice: " << name.toStdString();
            seen.insert(name);
            QSet<QWidget*> all;  // child panels sit inside MAINP: count each widget once
            for (QWidget* root : p.panels.All())
                for (QWidget* w : root->findChildren<QWidget*>(name)) all.insert(w);
            const QList<QWidget*> found = all.values();
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            rig.platform.shown.clear();
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                                    found[0]->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(found[0], &event);
            ASSERT_EQ(rig.platform.shown.size(), 1) << name.toStdString();
            EXPECT_EQ(rig.platform.shown[0].title, table.title);
            EXPECT_EQ(rig.platform.shown[0].text, QString::fromUtf8(table.entries[i].text));
            EXPECT_EQ(found[0]->toolTip(), rig.platform.shown[0].text.trimmed());
        }
    }
}

TEST(Help, ExactTexts) {
    Rig rig;
    const struct {
        const char* control;
        const char* title;
        QString text;
    } cases[] = {
        {"ButtonAccept", "INFO!", "Accept settings for communication \nand switch to parapanel. "},
        {"EditSelectBaudrate", "INFO!",
         "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust "
         "work with the same Baudrate. "},
        {"ButtonSend", "INFO!",
         "All the parameters of the PC-User-Interface are transferred to the sensor or to a "
         "selectable file. \nThe target of the parameter transfer is determined by the select "
         "button (RAM, EEPROM, FILE). \n\nShortcut Key: F9. "},
        {"ButtonStartSelfCalibration", "INFO!",
         " Sensor calculates the calibration factors for RED, GREEN and BLUE. "},
        {"GraphScope", "INFO!",
         "Displays record results.\nRed line is RED or X or s. \nGreen line is GREEN or Y or i. "
         "\nBlue line is BLUE or INT or M. \n\nUpdate display deltaX and deltaY by moving the "
         "cursors. \nZoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM "
         "1:1."},
        {"ButtonTableAttrReset", "Info", "Set default row colors."},
        {"DispRawGreen", "INFO!", "Displays the RAW values of RED, GREEN and BLUE."},
    };
    for (const auto& c : cases) {
        QWidget* control = nullptr;
        for (QWidget* root : rig.program.panels.All())
            if ((control = root->findChild<QWidget*>(c.control))) break;
        ASSERT_NE(control, nullptr) << c.control;
        const auto [title, text] = rig.program.help.HelpOf(control);
        EXPECT_EQ(title, c.title) << c.control;
        EXPECT_EQ(text, c.text) << c.control;
    }
}
