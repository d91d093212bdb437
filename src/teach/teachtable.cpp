#include "teach/teachtable.h"

#include <QMenu>

#include "core/flags.h"
#include "live/graphs.h"
#include "live/livedisplays.h"
#include "params/paramcontrols.h"
#include "params/tableattributes.h"
#include "teach/teachmath.h"
#include "ui/grid.h"
#include "ui/platform.h"

namespace {

constexpr int REPLY_CHARS = 9;
constexpr int AUTOMATIC_COLOURS = 1;  // item of the row colour mode ring

int ShownValue(const QLineEdit* display) { return display->text().toInt(); }

}  // namespace

TeachTableEditor::TeachTableEditor(Panels& panels, ProgramFlags& flags,
                                   ParameterControls& controls, LiveGraphs& graphs,
                                   const LiveDisplays& displays, TableAttributes& attributes,
                                   Platform& platform, QString gridHelp)
    : panels_(panels),
      ui_(panels.mainUi),
      flags_(flags),
      controls_(controls),
      graphs_(graphs),
      displays_(displays),
      attributes_(attributes),
      platform_(platform),
      gridHelp_(std::move(gridHelp)),
      menu_(new QMenu(ui_.GridCtt)) {
    QTableWidget* grid = ui_.GridCtt;
    // The selection actions work on one rectangle.
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    menu_->addAction("Help", this, [this] { platform_.Message("INFO!", gridHelp_); });
    menu_->addSeparator();
    menu_->addAction("Set selection to", this, &TeachTableEditor::SetSelectionTo);
    menu_->addAction("Increment selection with", this, &TeachTableEditor::IncrementSelectionWith);
    menu_->addAction("Reset selection", this, &TeachTableEditor::ResetSelection);
    menu_->addSeparator();
    toleranceOff_ = menu_->addAction("Teach tolerance off", this,
                                     [this] { SetTeachToleranceOff(true); });
    toleranceOn_ = menu_->addAction("Teach tolerance on", this,
                                    [this] { SetTeachToleranceOff(false); });
    SetTeachToleranceOff(flags_.teachToleranceOff);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint& at) { menu_->popup(grid->viewport()->mapToGlobal(at)); });
    // An operator's edit, not the cells the program writes.
    connect(grid->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            &TeachTableEditor::TableChanged);
    connect(ui_.ButtonResetTable, &QPushButton::clicked, this, [this] {
        if (platform_.Confirm("ATTENTION!", "Do you really want to reset the table?"))
            ResetTeachTable();
    });
    connect(ui_.ButtonTeachDataTo, &QPushButton::clicked, this, &TeachTableEditor::TeachDataTo);
}

QList<QTableWidgetItem*> TeachTableEditor::SelectedNumericCells() const {
    QList<QTableWidgetItem*> cells;
    const QList<QTableWidgetSelectionRange> ranges = ui_.GridCtt->selectedRanges();
    if (ranges.isEmpty()) return cells;
    const QTableWidgetSelectionRange& s = ranges.first();
    for (int r = s.topRow(); r <= s.bottomRow(); ++r)
        for (int c = s.leftColumn(); c <= std::min(s.rightColumn(), TEACH_CELLS - 1); ++c)
            if (QTableWidgetItem* cell = ui_.GridCtt->item(r, c)) cells << cell;
    return cells;
}

std::optional<long long> TeachTableEditor::AskValue() {
    const std::optional<QString> reply =
        platform_.Prompt("VALUE!", "Insert a cell value!", REPLY_CHARS);
    return reply ? LeadingInteger(*reply) : std::nullopt;
}

void TeachTableEditor::TableChanged() {
    controls_.ControlsToParameterSet();
    graphs_.DrawTeachTolerances();
    graphs_.PlotLiveGraphs(graphs_.ShownFrame());
}

void TeachTableEditor::SetSelectionTo() {
    if (ui_.GridCtt->selectedRanges().isEmpty()) return;
    const QList<QTableWidgetItem*> cells = SelectedNumericCells();
    const std::optional<long long> value = AskValue();
    if (!value) return;
    // A cell holds 0..65535, as its editor does.
    const auto word = static_cast<uint16_t>(std::clamp<long long>(*value, 0, 65535));
    for (QTableWidgetItem* cell : cells) SetCellWord(ui_.GridCtt, cell->row(), cell->column(), word);
    TableChanged();
}

void TeachTableEditor::IncrementSelectionWith() {
    const QList<QTableWidgetItem*> cells = SelectedNumericCells();
    const QList<QTableWidgetSelectionRange> ranges = ui_.GridCtt->selectedRanges();
    // The series starts from the top-left cell, which must be a value.
    if (cells.isEmpty() || ranges.first().leftColumn() >= TEACH_CELLS) return;
    const std::optional<long long> step = AskValue();
    if (!step) return;
    uint16_t value = CellWord(ui_.GridCtt, cells.first()->row(), cells.first()->column());
    for (QTableWidgetItem* cell : cells) {
        SetCellWord(ui_.GridCtt, cell->row(), cell->column(), value);
        value = NextInSeries(value, *step);
    }
    TableChanged();
}

void TeachTableEditor::ResetSelection() {
    if (ui_.GridCtt->selectedRanges().isEmpty()) return;
    for (QTableWidgetItem* cell : SelectedNumericCells())
        SetCellWord(ui_.GridCtt, cell->row(), cell->column(), 1);
    TableChanged();
}

void TeachTableEditor::SetTeachToleranceOff(bool off) {
    flags_.teachToleranceOff = off;
    toleranceOff_->setEnabled(!off);
    toleranceOn_->setEnabled(off);
}

void TeachTableEditor::ResetTeachTable() {
    ui_.EditNo->setValue(0);
    for (int r = 0; r < TEACH_ROWS; ++r)
        for (int c = 0; c < TEACH_CELLS; ++c) SetCellWord(ui_.GridCtt, r, c, 1);
    // The record and the ellipses follow only at the next edit, teach, SEND or GO.
    graphs_.ClearTeachGraphics();
}

void TeachTableEditor::TeachIntoRow(const TeachInput& in) {
    QTableWidget* grid = ui_.GridCtt;
    if (in.evaluationMode != THD_RGB) {
        const TeachColumns c = TeachColumnsFor(in.calculationMode);
        SetCellWord(grid, in.row, 0, static_cast<uint16_t>(in.x));
        SetCellWord(grid, in.row, 1, static_cast<uint16_t>(in.y));
        SetCellWord(grid, in.row, c.intensity, static_cast<uint16_t>(in.intensity));
        if (!flags_.teachToleranceOff) {
            const DefaultTolerance t =
                DefaultToleranceFor(in.evaluationMode, in.calculationMode, in.powerMode);
            SetCellWord(grid, in.row, c.colourTolerance, static_cast<uint16_t>(t.colour));
            SetCellWord(grid, in.row, c.second, static_cast<uint16_t>(t.second));
        }
        if (ui_.RadioInc->isChecked() && in.row < TEACH_ROWS - 1) ui_.EditNo->setValue(in.row + 1);
    } else {
        // The three thresholds of THD RGB live in rows 0, 1 and 2.
        const int thresholds[3] = {in.red, in.green, in.blue};
        for (int r = 0; r < 3; ++r) SetCellWord(grid, r, 0, static_cast<uint16_t>(thresholds[r]));
    }
    if (ui_.EditSetColor->currentIndex() == AUTOMATIC_COLOURS)
        attributes_.SetRowColor(in.row, displays_.CurrentColour());
}

void TeachTableEditor::TeachPoint(int x, int y, int intensity, int red, int green, int blue) {
    TeachIntoRow({x, y, intensity, red, green, blue,
                  std::clamp(ui_.EditNo->value(), 0, TEACH_ROWS - 1), RingCode(ui_.EditCalcmode),
                  RingCode(ui_.EditEvalmode), RingCode(ui_.EditPmode)});
    controls_.ControlsToParameterSet();
    graphs_.DrawTeachTolerances();
}

void TeachTableEditor::TeachDataTo() {
    const Ui::DATAP& d = panels_.datap.ui;
    TeachPoint(ShownValue(d.DispX), ShownValue(d.DispY), ShownValue(d.DispINT),
               ShownValue(d.DispRED), ShownValue(d.DispGREEN), ShownValue(d.DispBLUE));
}
