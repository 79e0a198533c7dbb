#include "app/FieldBinder.h"

#include "app/QtText.h"
#include "settings/SettingsLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace lxty::app {

namespace {

bool HasPrefix(const QString& name, const char* prefix, std::u16string_view field) {
    return name.size() == static_cast<qsizetype>(3 + field.size()) &&
           name.startsWith(QLatin1String(prefix)) && QStringView(name).mid(3) == Q(field);
}

} // namespace

FieldBinder::FieldBinder(Settings& settings, QWidget* window)
    : QObject(window), m_settings(settings) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->objectName().size() < 4)
            continue;
        const QString name = w->objectName();
        for (const SettingsField& f : SettingsFieldTable()) {
            const bool bound = (f.kind == FieldKind::Check && qobject_cast<QCheckBox*>(w) &&
                                HasPrefix(name, "chk", f.name)) ||
                               ((f.kind == FieldKind::List || f.kind == FieldKind::FileList) &&
                                qobject_cast<QComboBox*>(w) && HasPrefix(name, "cbo", f.name)) ||
                               (f.kind == FieldKind::Text && qobject_cast<QLineEdit*>(w) &&
                                HasPrefix(name, "txb", f.name));
            if (bound)
                m_bindings.push_back({&f, w});
            if (f.kind == FieldKind::Enumeration && qobject_cast<QRadioButton*>(w))
                for (std::size_t i = 0; i < f.options.size(); ++i)
                    if (HasPrefix(name, "opt", f.options[i]))
                        m_bindings.push_back({&f, w, static_cast<int>(i)});
        }
    }
    for (const Binding& b : m_bindings)
        Connect(b);
    FillLists();
}

void FieldBinder::Changed(const SettingsField& f, int previous) {
    if (changed)
        changed(f, previous);
}

void FieldBinder::Connect(const Binding& b) {
    const SettingsField& f = *b.field;
    if (auto* box = qobject_cast<QCheckBox*>(b.control)) {
        connect(box, &QCheckBox::toggled, this, [this, &f](bool on) {
            if (m_showing)
                return;
            const int previous = f.getInt(m_settings);
            f.setInt(m_settings, on ? 1 : 0);
            Changed(f, previous);
        });
    } else if (auto* opt = qobject_cast<QRadioButton*>(b.control)) {
        connect(opt, &QRadioButton::toggled, this, [this, &f, option = b.option](bool on) {
            if (m_showing || !on)
                return;
            const int previous = f.getInt(m_settings);
            f.setInt(m_settings, option);
            Changed(f, previous);
        });
    } else if (auto* list = qobject_cast<QComboBox*>(b.control)) {
        if (f.kind == FieldKind::FileList) {
            // A person may choose the entry already selected (to reload a changed file), so a
            // file list reacts to every choice, not only to a new index.
            connect(list, &QComboBox::activated, this, [this, &f](int index) {
                if (m_showing)
                    return;
                const int previous = f.files(m_settings).selected;
                f.files(m_settings).selected = index;
                Changed(f, previous);
            });
            return;
        }
        connect(list, &QComboBox::currentIndexChanged, this, [this, &f](int index) {
            if (m_showing)
                return;
            const int previous = f.getInt(m_settings);
            f.setInt(m_settings, index);
            Changed(f, previous);
        });
    } else if (auto* text = qobject_cast<QLineEdit*>(b.control)) {
        // Typed, pasted or set by a screen reader: the box's text is the truth. Show() is
        // the record's own update and does not echo back.
        connect(text, &QLineEdit::textChanged, this, [this, &f](const QString& t) {
            if (m_showing || U(t) == f.text(m_settings))
                return;
            f.text(m_settings) = U(t);
            Changed(f, 0);
        });
    }
}

void FieldBinder::FillLists() {
    m_showing = true;
    for (const Binding& b : m_bindings) {
        if (b.field->kind != FieldKind::List)
            continue;
        auto* list = static_cast<QComboBox*>(b.control);
        list->clear();
        for (const std::u16string& entry : ListEntries(b.field->list))
            list->addItem(Q(entry));
    }
    m_showing = false;
}

void FieldBinder::Show() {
    m_showing = true;
    for (const Binding& b : m_bindings) {
        const SettingsField& f = *b.field;
        switch (f.kind) {
        case FieldKind::Check:
            static_cast<QCheckBox*>(b.control)->setChecked(f.getInt(m_settings) == 1);
            break;
        case FieldKind::Enumeration:
            static_cast<QRadioButton*>(b.control)->setChecked(f.getInt(m_settings) == b.option);
            break;
        case FieldKind::List:
            static_cast<QComboBox*>(b.control)->setCurrentIndex(f.getInt(m_settings));
            break;
        case FieldKind::FileList: {
            auto* list = static_cast<QComboBox*>(b.control);
            const WordFileList& files = f.files(m_settings);
            QStringList paths;
            for (const std::u16string& p : files.paths)
                paths << Q(p);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->itemText(i);
            if (shown != paths) {
                list->clear();
                list->addItems(paths);
            }
            list->setCurrentIndex(files.selected);
            list->setToolTip(list->currentText());
            break;
        }
        case FieldKind::Text: {
            auto* edit = static_cast<QLineEdit*>(b.control);
            const QString t = Q(f.text(m_settings));
            if (edit->text() != t)
                edit->setText(t);
            break;
        }
        }
    }
    m_showing = false;
}

QWidget* FieldBinder::Control(std::u16string_view field) const {
    for (const Binding& b : m_bindings)
        if (b.field->name == field)
            return b.control;
    return nullptr;
}

} // namespace lxty::app
