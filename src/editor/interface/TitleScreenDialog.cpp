#include "editor/interface/TitleScreenDialog.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TitleScreenDialog::TitleScreenDialog(const std::optional<model::TitleScreenData>& current, const QString& projectDir,
                                     const QString& defaultName, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"fmTitle"_s);
    setWindowTitle(u"Заставка"_s);
    CheckShow = new QCheckBox(u"Начинать игру с заставки"_s);
    CheckShow->setChecked(current.has_value());
    EditName = new QLineEdit(current && !current->Name.isEmpty() ? current->Name : defaultName);
    EditName->setAccessibleName(u"Название игры"_s);
    EditName->setMaxLength(40);
    Preview = new QLabel;
    Preview->setAccessibleName(u"Картинка заставки"_s);
    Preview->setMinimumSize(176, 100);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setFrameShape(QFrame::StyledPanel);
    ButtonPicture = new QPushButton(u"Картинка…"_s);
    ButtonNoPicture = new QPushButton(u"Без картинки"_s);
    ButtonYes = new QPushButton(u"Да"_s);
    auto* no = new QPushButton(u"Отмена"_s);
    for (QPushButton* b : {ButtonPicture, ButtonNoPicture, no})
        b->setAutoDefault(false);
    ButtonYes->setDefault(true);
    auto* hint = new QLabel(u"Игра начнётся с экрана с названием и меню: «Новая игра», «Продолжить» (с этапа, до "
                            u"которого дошли в прошлый раз), «Выход». Без заставки игра начинается сразу с этапа 1."_s);
    hint->setWordWrap(true);

    if (current && !current->Picture.isEmpty() && !projectDir.isEmpty()) {
        m_picture = current->Picture;
        showPicture(projectDir + u'/' + m_picture);
    } else {
        showPicture(QString());
    }
    connect(ButtonPicture, &QPushButton::clicked, this, [this, &dialogs, projectDir] {
        const QString file = dialogs.openFileName(this, projectDir, u"Картинки (*.png *.bmp)"_s);
        if (file.isEmpty())
            return;
        PictureSource = file;
        showPicture(file);
    });
    connect(ButtonNoPicture, &QPushButton::clicked, this, [this] {
        PictureSource.clear();
        m_picture.clear();
        showPicture(QString());
    });
    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        if (CheckShow->isChecked() && EditName->text().trimmed().isEmpty()) {
            showError(this, u"Заставка: введите название игры."_s);
            return;
        }
        accept();
    });
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    const auto enable = [this] {
        for (QWidget* w : std::initializer_list<QWidget*>{EditName, ButtonPicture, ButtonNoPicture, Preview})
            w->setEnabled(CheckShow->isChecked());
    };
    connect(CheckShow, &QCheckBox::toggled, this, enable);
    enable();

    auto* form = new QFormLayout;
    form->addRow(u"Название игры:"_s, EditName);
    auto* pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(ButtonPicture);
    pictureButtons->addWidget(ButtonNoPicture);
    pictureButtons->addStretch();
    auto* answer = new QHBoxLayout;
    answer->addStretch();
    answer->addWidget(ButtonYes);
    answer->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(CheckShow);
    layout->addLayout(form);
    layout->addWidget(Preview);
    layout->addLayout(pictureButtons);
    layout->addLayout(answer);
}

void TitleScreenDialog::showPicture(const QString& path)
{
    QImageReader reader(path);
    const QImage image = path.isEmpty() ? QImage() : reader.read();
    if (image.isNull()) {
        Preview->setPixmap(QPixmap());
        Preview->setText(path.isEmpty() ? u"без картинки"_s : u"картинка не прочитана"_s);
        return;
    }
    Preview->setPixmap(QPixmap::fromImage(image.scaled(176, 208, Qt::KeepAspectRatio)));
}

std::optional<model::TitleScreenData> TitleScreenDialog::chosen() const
{
    if (!CheckShow->isChecked())
        return std::nullopt;
    return model::TitleScreenData{EditName->text().trimmed(), m_picture};
}

} // namespace kestrava::editor
