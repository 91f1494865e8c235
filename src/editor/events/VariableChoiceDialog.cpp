#include "editor/events/VariableChoiceDialog.h"

#include "editor/events/ValueFields.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

VariableChoiceDialog::VariableChoiceDialog(const QList<catalogue::NamedValue>& values, QWidget* parent)
    : QDialog(parent), m_values(values)
{
    setObjectName(u"fmVariable"_s);
    setWindowTitle(u"Переменная"_s);
    auto* box = new QGroupBox(u"Выберите переменную"_s, this);
    cbVariable = new QComboBox(box);
    cbVariable->setObjectName(u"cbVariable"_s);
    cbVariable->setAccessibleName(u"Переменная"_s);
    for (const catalogue::NamedValue& v : values)
        cbVariable->addItem(v.name);
    auto* hint = new QLabel(u"Свои переменные задаются в «Файл» → «Настройки игры» → «Переменные…»."_s, box);
    hint->setWordWrap(true);
    auto* column = new QVBoxLayout(box);
    column->addWidget(cbVariable);
    column->addWidget(hint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    bYes = addAnswerButtons(this, layout, bNo);
    connect(bYes, &QPushButton::clicked, this, [this] {
        const int at = cbVariable->currentIndex();
        if (at < 0 || at >= m_values.size())
            return;
        ChosenId = m_values[at].id;
        ChosenName = m_values[at].name;
        accept();
    });
}

void VariableChoiceDialog::choose(int id)
{
    for (qsizetype at = 0; at < m_values.size(); ++at)
        if (m_values[at].id == id)
            cbVariable->setCurrentIndex(int(at));
}

} // namespace kestrava::editor
