#include "editor/interface/VariablesDialog.h"

#include "catalogue/Variables.h"
#include "editor/common/ErrorBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

VariablesDialog::VariablesDialog(const QList<model::GameVariableData>& variables, int nextId, QWidget* parent)
    : QDialog(parent), m_nextId(nextId)
{
    setObjectName(u"fmVariables"_s);
    setWindowTitle(u"Переменные"_s);
    auto* hint = new QLabel(u"Целые числа игры. Лист событий меняет и сравнивает их («переменная», «очки»), текст "
                            u"показывает в фигурных скобках: «Очки: {очки}». Имя — русские или латинские буквы и "
                            u"цифры, с буквы."_s);
    hint->setWordWrap(true);
    Table = new QTableWidget(0, 3, this);
    Table->setObjectName(u"VariablesTable"_s);
    Table->setAccessibleName(u"Переменные"_s);
    Table->setHorizontalHeaderLabels({u"Имя"_s, u"Начальное значение"_s, u"Заново на каждом этапе"_s});
    Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    Table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->verticalHeader()->hide();
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setMinimumSize(520, 240);
    // Names up to 24 letters stay readable.
    Table->horizontalHeader()->setMinimumSectionSize(60);
    Table->setColumnWidth(0, 200);
    addRow({model::kScoreVariableId, model::scoreVariableName(), 0, false}, true);
    for (const model::GameVariableData& v : variables) {
        addRow(v, false);
        m_ids << v.Id;
    }
    ButtonAdd = new QPushButton(u"Добавить"_s);
    ButtonRemove = new QPushButton(u"Удалить"_s);
    ButtonYes = new QPushButton(u"Да"_s);
    ButtonNo = new QPushButton(u"Отмена"_s);
    for (QPushButton* b : {ButtonAdd, ButtonRemove, ButtonNo})
        b->setAutoDefault(false);
    ButtonYes->setDefault(true);
    connect(ButtonAdd, &QPushButton::clicked, this, &VariablesDialog::addVariable);
    connect(ButtonRemove, &QPushButton::clicked, this, &VariablesDialog::removeSelected);
    connect(ButtonYes, &QPushButton::clicked, this, &VariablesDialog::acceptAnswer);
    connect(ButtonNo, &QPushButton::clicked, this, &QDialog::reject);
    const auto enableRemove = [this] {
        const int row = Table->currentRow();
        ButtonRemove->setEnabled(row > 0);
        ButtonAdd->setEnabled(Table->rowCount() - 1 < model::kMaxGameVariables);
    };
    connect(Table, &QTableWidget::currentCellChanged, this, enableRemove);
    enableRemove();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonAdd);
    buttons->addWidget(ButtonRemove);
    buttons->addStretch();
    buttons->addWidget(ButtonYes);
    buttons->addWidget(ButtonNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(Table);
    layout->addLayout(buttons);
}

void VariablesDialog::addRow(const model::GameVariableData& variable, bool score)
{
    const int row = Table->rowCount();
    Table->insertRow(row);
    auto* name = new QTableWidgetItem(variable.Name);
    auto* start = new QSpinBox;
    start->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    start->setValue(variable.Start);
    start->setAccessibleName(u"Начальное значение"_s);
    auto* perStage = new QCheckBox;
    perStage->setChecked(variable.PerStage);
    perStage->setAccessibleName(u"Заново на каждом этапе"_s);
    if (score) {
        // The score is every game's: it starts at 0 and goes on from stage to stage.
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        name->setToolTip(u"Очки есть в каждой игре; лучший результат телефон помнит."_s);
        start->setEnabled(false);
        perStage->setEnabled(false);
    }
    Table->setItem(row, 0, name);
    Table->setCellWidget(row, 1, start);
    Table->setCellWidget(row, 2, perStage);
}

void VariablesDialog::addVariable()
{
    if (Table->rowCount() - 1 >= model::kMaxGameVariables)
        return;
    QString name;
    for (int n = 1;; ++n) {
        name = u"переменная%1"_s.arg(n);
        bool taken = false;
        for (int row = 0; row < Table->rowCount(); ++row)
            taken = taken || Table->item(row, 0)->text().compare(name, Qt::CaseInsensitive) == 0;
        if (!taken)
            break;
    }
    addRow({m_nextId, name, 0, false}, false);
    m_ids << m_nextId++;
    const int row = Table->rowCount() - 1;
    Table->setCurrentCell(row, 0);
    Table->editItem(Table->item(row, 0));
}

void VariablesDialog::removeSelected()
{
    const int row = Table->currentRow();
    if (row <= 0)
        return;
    Table->removeRow(row);
    m_ids.removeAt(row - 1);
}

QList<model::GameVariableData> VariablesDialog::chosen() const
{
    QList<model::GameVariableData> result;
    for (int row = 1; row < Table->rowCount(); ++row) {
        model::GameVariableData v;
        v.Id = m_ids[row - 1];
        v.Name = Table->item(row, 0)->text().trimmed();
        v.Start = static_cast<QSpinBox*>(Table->cellWidget(row, 1))->value();
        v.PerStage = static_cast<QCheckBox*>(Table->cellWidget(row, 2))->isChecked();
        result << v;
    }
    return result;
}

void VariablesDialog::acceptAnswer()
{
    if (const QString problem = catalogue::variablesProblem(chosen()); !problem.isEmpty()) {
        showError(this, u"Переменные: "_s + problem + u"."_s);
        return;
    }
    accept();
}

std::optional<ChosenVariables> showVariables(QWidget* parent, const QList<model::GameVariableData>& variables,
                                             int nextId)
{
    VariablesDialog dialog(variables, nextId, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ChosenVariables{dialog.chosen(), dialog.nextId()};
}

} // namespace kestrava::editor
