#include "editor/events/TimerConditionDialog.h"

#include "editor/common/ErrorBox.h"
#include "catalogue/Item.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TimerConditionDialog::TimerConditionDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmTimerSetup"_s);
    setWindowTitle(u"Настройка таймера"_s);

    auto* box = new QGroupBox(u"Введите значение времени"_s, this);
    box->setObjectName(u"GroupBox1"_s);
    auto* form = new QFormLayout(box);
    auto field = [&](const QString& name, const QString& label) {
        auto* edit = new QLineEdit(u"0"_s, box);
        edit->setObjectName(name);
        edit->setAccessibleName(label);
        form->addRow(label, edit);
        return edit;
    };
    Edit1 = field(u"Edit1"_s, u"минут"_s);
    Edit2 = field(u"Edit2"_s, u"секунд"_s);
    Edit3 = field(u"Edit3"_s, u"сотых"_s);

    bYes = new QPushButton(u"Да"_s, this);
    bYes->setObjectName(u"bYes"_s);
    bYes->setDefault(true);
    bNo = new QPushButton(u"Отмена"_s, this);
    bNo->setObjectName(u"bNo"_s);
    bNo->setAutoDefault(false);
    connect(bYes, &QPushButton::clicked, this, &TimerConditionDialog::acceptAnswer);
    connect(bNo, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bYes);
    buttons->addWidget(bNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TimerConditionDialog::acceptAnswer()
{
    try {
        const catalogue::TimerSetting setting = catalogue::timerSetting(Edit1->text(), Edit2->text(), Edit3->text());
        ChooserArg = setting.arg;
        ChooserTime = setting.time;
        accept();
    } catch (const io::Error& e) {
        showError(this, e.message());
    }
}

} // namespace kestrava::editor
