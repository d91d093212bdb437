#pragma once
// The TEACH TABLE page: cell edits, the grid's context menu with its selection
// actions and the tolerance-teach switch, RESET TABLE, and the direct teach (TEACH
// DATA TO) with the row-writing operation the recorded-value teach shares.

#include <QObject>

#include <optional>

#include "ui/panels.h"

struct ProgramFlags;
class ParameterControls;
class LiveGraphs;
class LiveDisplays;
class TableAttributes;
class Platform;
class QMenu;
class QAction;

// What a teach writes into a row, read by the caller just before.
struct TeachInput {
    int x, y, intensity;
    int red, green, blue;
    int row;
    int calculationMode, evaluationMode, powerMode;
};

class TeachTableEditor : public QObject {
    Q_OBJECT
  public:
    TeachTableEditor(Panels& panels, ProgramFlags& flags, ParameterControls& controls,
                     LiveGraphs& graphs, const LiveDisplays& displays,
                     TableAttributes& attributes, Platform& platform, QString gridHelp);

    void SetSelectionTo();
    void IncrementSelectionWith();
    void ResetSelection();
    void SetTeachToleranceOff(bool off);
    void ResetTeachTable();
    // Writes a taught row into the grid (or the three thresholds in THD RGB), moves the
    // No. field on when auto-increment is on, and paints the row in Automatically mode.
    void TeachIntoRow(const TeachInput& input);
    // A point with its colour into the No. field's row under the page's modes; the
    // record and the graphs follow.
    void TeachPoint(int x, int y, int intensity, int red, int green, int blue);
    // TEACH DATA TO: the values DATAP shows into the No. field's row.
    void TeachDataTo();

  private:
    // The numeric cells of the current selection, row by row, left to right.
    QList<QTableWidgetItem*> SelectedNumericCells() const;
    // After any change of the grid: the record and the graphs follow.
    void TableChanged();
    std::optional<long long> AskValue();

    Panels& panels_;
    Ui::MAINP& ui_;
    ProgramFlags& flags_;
    ParameterControls& controls_;
    LiveGraphs& graphs_;
    const LiveDisplays& displays_;
    TableAttributes& attributes_;
    Platform& platform_;
    QString gridHelp_;
    QMenu* menu_;
    QAction* toleranceOff_;
    QAction* toleranceOn_;
};
