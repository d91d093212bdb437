#include "scope/scopescan.h"

#include "core/buttons.h"
#include "link/link.h"
#include "scope/scopedisplay.h"

ScopeAcquisition::ScopeAcquisition(Panels& panels, SensorLink& link, ScopeState& state,
                                   ScopeDisplay& display, CommandButtons& buttons)
    : panels_(panels),
      ui_(panels.mainUi),
      link_(link),
      state_(state),
      display_(display),
      buttons_(buttons) {
    connect(ui_.ButtonGetCycleTime, &QPushButton::clicked, this, [this] {
        const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
        GetCycleTime();
        display_.UpdateCursorDeltas();
    });
    connect(ui_.ButtonScan, &QPushButton::clicked, this, &ScopeAcquisition::Scan);
    connect(ui_.ButtonBreakScan, &QPushButton::clicked, this, [this] {
        // During a scan the other buttons stay dimmed until the scan has unwound.
        if (state_.scopeScanning) return BreakScopeScan();
        const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
        BreakScopeScan();
    });
    connect(ui_.EditTriggerMode, &QComboBox::currentIndexChanged, this,
            &ScopeAcquisition::DimTriggerInputs);
    ui_.EditScanRate->setKeyboardTracking(false);
    connect(ui_.EditScanRate, &QSpinBox::valueChanged, &display_,
            &ScopeDisplay::UpdateCursorDeltas);
    DimTriggerInputs();
    ShowCycleTime();
}

void ScopeAcquisition::GetCycleTime() {
    CycleTime result;
    if (link_.Request({.order = ORDER_GET_CYCLE_TIME})) {
        result = CycleTimeFromAnswer(
            {link_.buffers.receive + HEADER_BYTES, static_cast<size_t>(link_.answer.length)});
        if (!result.failure.isEmpty()) link_.AppendLog(result.failure + "\n\n");
    }
    state_.cycleTimeMs = result.cycleTimeMs;
    ShowCycleTime();
}

void ScopeAcquisition::ShowCycleTime() {
    const double ms = state_.cycleTimeMs;
    const CycleTimeDecimals decimals = CycleTimeDecimalsFor(ms);
    ui_.DispCycleTime->setText(QString::number(ms, 'f', decimals.cycleTime));
    ui_.DispScanFreq->setText(QString::number(ScanFrequencyHz(ms), 'f', decimals.frequency));
}

ScopeTriggerMode ScopeAcquisition::TriggerMode() const {
    return static_cast<ScopeTriggerMode>(ui_.EditTriggerMode->currentIndex());
}

void ScopeAcquisition::DimTriggerInputs() {
    const ScopeTriggerMode mode = TriggerMode();
    const bool edge = mode == ScopeTriggerMode::RisingEdge || mode == ScopeTriggerMode::FallingEdge;
    ui_.EditPreTrigVal->setEnabled(mode != ScopeTriggerMode::SingleShot);
    ui_.EditTriggerLevel->setEnabled(edge);
}

void ScopeAcquisition::Scan() {
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    display_.ResetScopeAxes();
    panels_.scopep.ui.DispScanInProgress->setVisible(true);
    panels_.ShowChildPanel(&panels_.scopep.widget);
    RunScopeScan();
    panels_.scopep.ui.DispScanInProgress->setVisible(false);
}

void ScopeAcquisition::RunScopeScan() {
    const ScanSettings settings{
        static_cast<uint16_t>(ui_.EditTriggerMode->currentIndex()),
        static_cast<uint16_t>(ui_.EditPreTrigVal->value()),
        static_cast<uint16_t>(ui_.EditTriggerLevel->value()),
        static_cast<uint16_t>(ui_.EditScanRate->value()),
        static_cast<uint16_t>(ui_.EditScopeRecSignal->currentIndex())};
    const std::array<uint16_t, 5> words = settings.Words();
    if (!link_.Request({.order = ORDER_SCOPE_SCAN, .param = 1, .words = words})) return;
    ui_.ButtonBreakScan->setEnabled(true);
    state_.scopeScanning = true;
    // A scan that ends without a plot leaves the previous one as it was.
    std::array<ScopeRow, SCOPE_FRAMES> rows = state_.scopeTraces;
    const bool received = ReceiveScopeFrames(settings, rows);
    state_.scopeScanning = false;
    if (!received) return;
    state_.scopeTraces = rows;
    state_.digitalTraces = DigitalTraces(rows[SCOPE_FRAMES - 1]);
    display_.PlotScan();
}

bool ScopeAcquisition::ReceiveScopeFrames(const ScanSettings& settings,
                                          std::array<ScopeRow, SCOPE_FRAMES>& rows) {
    // Over RS-232 a bad frame keeps its trace's old samples and the others still come;
    // over TCP the four frames arrive as one block and any fault ends the scan.
    const bool serial = link_.settings.protocol == PROTOCOL_RS232;
    for (ScopeRow& row : rows) {
        const ReceiveResult r = link_.ReceiveFrame([this] { return !state_.scopeScanning; });
        if (r == ReceiveResult::Stopped || r == ReceiveResult::LinkLost) return false;
        if (!(r == ReceiveResult::Frame && FrameHasSamples(serial))) {
            if (serial) continue;
            return false;
        }
        link_.CopyToMeasurement();
        row = OrderScopeFrame(std::span<const uint16_t, SCOPE_FRAME_WORDS>(
                                  link_.buffers.measurementWords, SCOPE_FRAME_WORDS),
                              settings.TriggerMode(), settings.preTrigger);
    }
    return true;
}

bool ScopeAcquisition::FrameHasSamples(bool serial) {
    // A short frame would mix fresh samples with stale words: it is refused. Over TCP
    // the frames sit at fixed places in the block, so a wrong length is a bad header.
    if (serial) return link_.RequireAnswerLength(SCOPE_FRAME_BYTES);
    if (link_.answer.length == SCOPE_FRAME_BYTES) return true;
    link_.ReportLinkError(LinkTexts::BAD_HEADER);
    return false;
}

void ScopeAcquisition::BreakScopeScan() {
    link_.Request({.order = ORDER_SCOPE_SCAN, .param = 0});
    state_.scopeScanning = false;
}
