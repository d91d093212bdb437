#include "ui/help.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QWidget>

#include "ui/platform.h"

namespace {

// Captions are written for the eye: "&Send", "<b>Gain:</b>". A screen reader wants
// the plain words without the mnemonic marker or the colon that leads to the field.
QString PlainCaption(QString text) {
    if (Qt::mightBeRichText(text)) text = QTextDocumentFragment::fromHtml(text).toPlainText();
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;  // "&&" keeps one '&'
        else if (text[i] == u'&')
            continue;
        plain += text[i];
    }
    plain = plain.simplified();
    while (plain.endsWith(u':')) plain = plain.chopped(1).trimmed();
    return plain;
}

QString TextOfLabel(const QWidget* label) {
    if (auto* l = qobject_cast<const QLabel*>(label)) return PlainCaption(l->text());
    if (auto* b = qobject_cast<const QAbstractButton*>(label)) return PlainCaption(b->text());
    return {};
}

// The label of the form row whose field is `control`, searched through the
// layouts of its parent (forms sit nested inside boxes and grids).
QString FormRowLabel(const QLayout* layout, const QWidget* control) {
    if (!layout) return {};
    if (auto* form = qobject_cast<const QFormLayout*>(layout))
        if (QWidget* label = form->labelForField(const_cast<QWidget*>(control)))
            return TextOfLabel(label);
    for (int i = 0; i < layout->count(); ++i)
        if (QString text = FormRowLabel(layout->itemAt(i)->layout(), control); !text.isEmpty())
            return text;
    return {};
}

// What the control says about itself on screen, or what names it from beside it.
QString Caption(const QWidget* control) {
    QString caption;
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        caption = PlainCaption(button->text());
    else if (auto* group = qobject_cast<const QGroupBox*>(control))
        caption = PlainCaption(group->title());
    if (!caption.isEmpty()) return caption;
    for (const QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            if (caption = TextOfLabel(label); !caption.isEmpty()) return caption;
    if (control->parentWidget()) return FormRowLabel(control->parentWidget()->layout(), control);
    return {};
}

// Splits "RawDelta" into "Raw Delta", "MinMaxRGB0" into "Min Max RGB 0". "2D" and
// "3D" stay whole: "2 D" would be read out as two unrelated tokens.
QStringList Words(const QString& s) {
    QStringList words;
    QString word;
    bool dimension = false;  // word is a "2D"/"3D"
    auto flush = [&] {
        if (!word.isEmpty()) words << word;
        word.clear();
    };
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar prev = i > 0 ? s[i - 1] : QChar();
        const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
        bool split = false;
        if (c.isDigit()) {
            split = !prev.isDigit();
        } else if (c == u'D' && prev.isDigit() && !next.isLower()) {
            dimension = true;
        } else if (c.isUpper()) {
            split =
                dimension || prev.isLower() || prev.isDigit() || (prev.isUpper() && next.isLower());
        } else {
            split = prev.isDigit();
        }
        if (split) {
            flush();
            dimension = false;
        }
        word += c;
    }
    flush();
    return words;
}

// Controls without a caption are named by their object name: its prefix tells
// what kind of control it is, the rest what it is about.
QString RoleName(const QString& objectName) {
    // Longer prefixes first so "EditGrid" is not taken for "Edit".
    static const struct {
        const char* prefix;
        const char* role;
    } ROLES[] = {
        {"EditGrid", "table"},  {"Disp", "display"},      {"Edit", "input"},   {"Button", "button"},
        {"Select", "selector"}, {"String", "text field"}, {"Grid", "table"},   {"Led", "indicator"},
        {"Slide", "slider"},    {"Graph", "graph"},       {"Deco", "picture"}, {"Text", "text"},
        {"Tab", "tabs"},
    };
    for (const auto& r : ROLES) {
        const QString prefix = QString::fromLatin1(r.prefix);
        // "Tab" must not take "TableView": the prefix ends where a new word starts.
        if (!objectName.startsWith(prefix) ||
            (objectName.size() > prefix.size() && objectName[prefix.size()].isLower()))
            continue;
        QStringList words = Words(objectName.mid(prefix.size()));
        words << QString::fromLatin1(r.role);
        return words.join(u' ');
    }
    return objectName;
}

// Screen readers and UI automation find the control by its name and read the same
// help the tooltip shows.
void SetAccessibleText(QWidget* control, const QString& help) {
    if (control->accessibleName().isEmpty()) {
        QString name = qobject_cast<QTabWidget*>(control) ? QString() : Caption(control);
        if (name.isEmpty()) name = RoleName(control->objectName());
        control->setAccessibleName(name);
        // Typing happens in an editable combo's own text field: it answers to the same name.
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            if (combo->lineEdit()->accessibleName().isEmpty())
                combo->lineEdit()->setAccessibleName(name);
    }
    control->setAccessibleDescription(help);
}

}  // namespace

QStringList HelpPopups::Install(const QList<QWidget*>& roots, const HelpEntry* entries, int count,
                                const QString& title) {
    QStringList missing;
    for (int i = 0; i < count; ++i) {
        const QString name = entries[i].control;
        QWidget* control = nullptr;
        for (QWidget* root : roots) {
            control = root->objectName() == name ? root : root->findChild<QWidget*>(name);
            if (control) break;
        }
        if (!control) {
            missing << name;
            continue;
        }
        QList<QWidget*> targets{control};
        // A tab control is clicked on its tab bar.
        if (auto* tabs = qobject_cast<QTabWidget*>(control)) targets << tabs->tabBar();
        // A plain container (a group of displays) answers for all of its parts.
        if (control->metaObject() == &QWidget::staticMetaObject)
            targets << control->findChildren<QWidget*>();
        // An editable combo box is clicked on its text field.
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            targets << combo->lineEdit();
        const QString text = QString::fromUtf8(entries[i].text);
        SetAccessibleText(control, text.trimmed());
        for (QWidget* target : targets) {
            help_.insert(target, {title, text});
            target->setToolTip(text.trimmed());
            target->setContextMenuPolicy(Qt::DefaultContextMenu);
            target->installEventFilter(this);
        }
    }
    return missing;
}

bool HelpPopups::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) return false;
    const auto it = help_.constFind(watched);
    if (it == help_.constEnd()) return false;
    platform_.Message(it->first, it->second);
    return true;
}
