#include "app/branding.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

namespace {

struct BrandingLabel {
    const char* name;
    const char* text;
    int left;
    int top;
    int pointSize;
};

// Title, then the three contact lines.
const BrandingLabel LABELS[] = {
    {"LabelBrandTitle", "CHROMIK3-DLS-Scope V4.2", 323, 29, 19},
    {"LabelBrandName", "chromik-scope service", 15, 6, 11},
    {"LabelBrandPhone", "Tel. +00 000 000 00 00", 15, 22, 11},
    {"LabelBrandWeb", "chromik-scope.example.org", 15, 36, 11},
};

}  // namespace

void DrawBrandingBlock(QWidget* banner, const QString& programDir) {
    for (const BrandingLabel& b : LABELS) {
        auto* label = new QLabel(QString::fromUtf8(b.text), banner);
        label->setObjectName(b.name);
        QFont font = label->font();
        font.setPointSize(b.pointSize);
        label->setFont(font);
        label->setStyleSheet("color: #FFFFFF; background: transparent;");
        label->adjustSize();
        label->move(b.left, b.top);
        label->show();
    }
    banner->setStyleSheet("#DecoBanner { background-color: #0080FF; }");
    auto* logo = new QLabel(banner);
    logo->setObjectName("PictureLogo");
    logo->move(325, 6);
    logo->setPixmap(QPixmap(QDir(programDir).filePath(LOGO_FILE)));  // null when missing
    logo->adjustSize();
    logo->show();
}
