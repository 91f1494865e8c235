#include "editor/objects/FontDialogWindow.h"

#include "catalogue/Variables.h"

#include "editor/common/ColourDialog.h"
#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "io/AppFolder.h"
#include "io/ColourNames.h"
#include "model/ObjectKind.h"
#include "undo/Step.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::objects::FontRecord;

namespace kestrava::editor {
namespace {

// Point sizes of the sample for "Маленький", "Средний", "Большой".
constexpr int kSamplePoints[] = {8, 10, 13};

QGroupBox* choiceBox(const QString& title, QButtonGroup* group, std::initializer_list<QString> texts,
                     QRadioButton** buttons)
{
    auto* box = new QGroupBox(title);
    auto* column = new QVBoxLayout(box);
    int id = 0;
    for (const QString& text : texts) {
        auto* button = new QRadioButton(text);
        group->addButton(button, id);
        column->addWidget(button);
        buttons[id++] = button;
    }
    return box;
}

} // namespace

FontDialogWindow::FontDialogWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_app(app), m_dialogs(dialogs), m_colourDialog(std::make_unique<ColourDialog>())
{
    setObjectName(u"frmFont"_s);
    setWindowTitle(kCaption);

    m_faces = new QButtonGroup(this);
    QGroupBox* faces = choiceBox(u"Тип"_s, m_faces, {u"Системный"_s, u"Равноширинный"_s, u"Пропорциональный"_s},
                                 rbFace.data());
    m_sizes = new QButtonGroup(this);
    QGroupBox* sizes = choiceBox(u"Размер"_s, m_sizes, {u"Маленький"_s, u"Средний"_s, u"Большой"_s}, rbSize.data());
    rbFace[0]->setChecked(true);

    cbBold = new QCheckBox(u"Жирный"_s);
    cbItalic = new QCheckBox(u"Курсив"_s);
    cbUnderline = new QCheckBox(u"Подчеркнутый"_s);
    auto* extras = new QGroupBox(u"Дополнительно"_s);
    auto* extrasColumn = new QVBoxLayout(extras);
    for (QCheckBox* box : {cbBold, cbItalic, cbUnderline})
        extrasColumn->addWidget(box);

    m_sample = new QLabel(u"АаБб 123"_s);
    m_sample->setAccessibleName(u"Образец шрифта"_s);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFixedSize(140, 36);
    m_sample->setAutoFillBackground(true);

    bColour = new QPushButton(u"Выбрать…"_s);
    bColour->setObjectName(u"bColour"_s);
    bColour->setAutoDefault(false);
    bColour->setAccessibleName(u"Цвет шрифта"_s);
    auto* colourLabel = new QLabel(u"Цвет:"_s);
    colourLabel->setBuddy(bColour);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(bColour);
    colourRow->addStretch(1);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(faces);
    leftColumn->addWidget(sizes);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(extras);
    rightColumn->addWidget(m_sample, 0, Qt::AlignHCenter);
    rightColumn->addLayout(colourRow);
    rightColumn->addStretch(1);
    auto* font = new QGroupBox(u"Шрифт"_s);
    auto* fontRow = new QHBoxLayout(font);
    fontRow->addLayout(leftColumn);
    fontRow->addLayout(rightColumn);

    Memo = new QPlainTextEdit;
    Memo->setObjectName(u"Memo"_s);
    Memo->setAccessibleName(u"Текст"_s);
    Memo->setTabChangesFocus(true);
    Memo->setFixedHeight(110);

    bValue = new QToolButton;
    bValue->setText(u"Вставить значение"_s);
    bValue->setToolTip(u"Переменная в фигурных скобках: игра показывает её значение"_s);
    bValue->setPopupMode(QToolButton::InstantPopup);
    bValue->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bValue->setMinimumWidth(bValue->sizeHint().width() + 16);
    bValue->setMenu(new QMenu(bValue));
    bValue->hide();

    auto* body = new QVBoxLayout(this);
    body->addWidget(font);
    body->addWidget(Memo);
    body->addWidget(bValue, 0, Qt::AlignLeft);
    body->setSizeConstraint(QLayout::SetFixedSize);

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"Файл"_s);
    N_Save = file->addAction(u"Сохранить"_s);
    N_Save->setObjectName(u"N_Save"_s);
    body->setMenuBar(bar);
    connect(N_Save, &QAction::triggered, this, [this] { N_SaveClick(); });
    connect(bColour, &QPushButton::clicked, this, &FontDialogWindow::ColourClick);

    const auto changed = [this] {
        showSample();
        emit fontChanged();
    };
    connect(m_faces, &QButtonGroup::idToggled, this, changed);
    connect(m_sizes, &QButtonGroup::idToggled, this, changed);
    for (QCheckBox* box : {cbBold, cbItalic, cbUnderline})
        connect(box, &QCheckBox::toggled, this, changed);
    showColour();
    showSample();
    connect(this, &FontDialogWindow::fontChanged, this, &FontDialogWindow::follow);
    connect(Memo, &QPlainTextEdit::textChanged, this, &FontDialogWindow::follow);
    markSaved();
}

FontDialogWindow::~FontDialogWindow()
{
    // The history goes before the widgets whose changes it follows.
    disconnect(Memo, nullptr, this, nullptr);
    disconnect(this, &FontDialogWindow::fontChanged, this, nullptr);
}

void FontDialogWindow::setTextObjectEditor(bool on)
{
    m_textObjectEditor = on;
    markSaved();
}

void FontDialogWindow::setTextValues(const QStringList& names)
{
    m_textValues = names;
    QMenu* menu = bValue->menu();
    menu->clear();
    for (const QString& name : names)
        menu->addAction(u"{%1}"_s.arg(name), this, [this, name] { Memo->insertPlainText(u"{%1}"_s.arg(name)); });
    bValue->setVisible(!names.isEmpty());
}

void FontDialogWindow::markSaved()
{
    m_history.clear();
    m_state = shown();
    ++m_gesture;
}

FontDialogWindow::Shown FontDialogWindow::shown() const
{
    return {GetFont(), Memo->toPlainText()};
}

void FontDialogWindow::follow()
{
    const Shown now = shown();
    if (m_showing || now == m_state)
        return;
    // Every change since the last save joins one step, which is gone again
    // once the font and the text are what was saved.
    m_history.push(new undo::SnapshotStep<Shown>(
        u"текстовый объект"_s, m_state, now, [this](const Shown& state) { showState(state); }, m_gesture));
    m_state = now;
}

void FontDialogWindow::showState(const Shown& state)
{
    // Pushing a step shows what is shown already.
    if (shown() == state)
        return;
    const QScopedValueRollback<bool> showing(m_showing, true);
    SetFont(state.font);
    Memo->setPlainText(state.text);
    m_state = state;
}

bool FontDialogWindow::isModified() const
{
    return m_textObjectEditor && m_history.isModified();
}

void FontDialogWindow::reject()
{
    if (mayDropObject(m_dialogs, this, isModified(), [this] { return N_SaveClick(); }))
        QDialog::reject();
}

void FontDialogWindow::setColourDialog(std::unique_ptr<ColourDialog> dialog)
{
    m_colourDialog = std::move(dialog);
}

FontRecord FontDialogWindow::GetFont() const
{
    FontRecord font;
    font.FontSize = m_sizes->checkedId(); // -1 when none is chosen
    font.FontFace = std::max(0, m_faces->checkedId());
    font.Bold = cbBold->isChecked() ? 1 : 0;
    font.Italic = cbItalic->isChecked() ? 1 : 0;
    font.Underline = cbUnderline->isChecked() ? 1 : 0;
    font.Colour = m_colour;
    return font;
}

void FontDialogWindow::SetFont(const FontRecord& font)
{
    rbFace[size_t(font.FontFace >= 0 && font.FontFace < FontRecord::kFaces ? font.FontFace : 0)]->setChecked(true);
    if (font.FontSize >= 0 && font.FontSize < FontRecord::kSizes) {
        rbSize[size_t(font.FontSize)]->setChecked(true);
    } else if (QAbstractButton* checked = m_sizes->checkedButton()) {
        // An exclusive group keeps one button checked; unchecking needs it let go for a moment.
        m_sizes->setExclusive(false);
        checked->setChecked(false);
        m_sizes->setExclusive(true);
    }
    cbBold->setChecked(font.Bold != 0);
    cbItalic->setChecked(font.Italic != 0);
    cbUnderline->setChecked(font.Underline != 0);
    m_colour = font.Colour & 0xFFFFFF;
    showColour();
    showSample();
    emit fontChanged();
}

void FontDialogWindow::WriteFontToINI(const QString& path) const
{
    objects::WriteFontToINI(path, GetFont());
}

void FontDialogWindow::ColourClick()
{
    const std::optional<QColor> colour = m_colourDialog->chooseColour(this, io::colourOf(m_colour));
    if (!colour)
        return;
    m_colour = io::colourValue(*colour);
    showColour();
    showSample();
    emit fontChanged();
}

bool FontDialogWindow::N_SaveClick()
{
    bool saved = false;
    guarded(this, [this, &saved] {
        // Refused before a file is asked for: the author fixes the text first.
        if (!m_textValues.isEmpty()) {
            const QString problem = catalogue::textValuesProblem(Memo->toPlainText().split(u'\n'), m_textValues);
            if (!problem.isEmpty())
                throw io::Error(u"Текст не сохранён: "_s + problem + u"."_s);
        }
        const QString file = m_dialogs.saveFileName(this, m_app.objects(), kObjectFilter,
                                                     model::describe(model::ObjectKind::Text).extension);
        if (file.isEmpty())
            return;
        objects::saveTextObject(file, GetFont(), Memo->toPlainText());
        saved = true;
    });
    if (saved)
        markSaved();
    if (saved)
        accept();
    return saved;
}

void FontDialogWindow::showColour()
{
    showSwatch(bColour, m_colour);
    bColour->setAccessibleDescription(io::colourText(m_colour));
}

void FontDialogWindow::showSample()
{
    const FontRecord font = GetFont();
    QFont sample = font.FontFace == 1 ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : this->font();
    if (font.FontFace == 2) {
        sample.setFamily(u"Serif"_s);
        sample.setStyleHint(QFont::Serif);
    }
    sample.setPointSize(kSamplePoints[font.FontSize >= 0 ? font.FontSize : 1]);
    sample.setBold(font.Bold != 0);
    sample.setItalic(font.Italic != 0);
    sample.setUnderline(font.Underline != 0);
    m_sample->setFont(sample);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, io::colourOf(font.Colour));
    m_sample->setPalette(palette);
}

} // namespace kestrava::editor
