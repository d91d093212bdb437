#pragma once
// Numeric grid cells holding unsigned 16-bit words.

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <cstdint>

// Edits cells with a spin box limited to 0..65535.
class WordDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

// Edits text cells with a line edit that takes at most maxChars characters.
class TextDelegate : public QStyledItemDelegate {
  public:
    TextDelegate(int maxChars, QObject* parent)
        : QStyledItemDelegate(parent), maxChars_(maxChars) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  private:
    int maxChars_;
};

void SetCellWord(QTableWidget* table, int row, int column, uint16_t value);
// The word in a cell; an empty or non-numeric cell reads as 0.
uint16_t CellWord(const QTableWidget* table, int row, int column);
