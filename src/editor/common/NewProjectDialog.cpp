#include "editor/common/NewProjectDialog.h"

#include "io/Error.h"
#include "persist/NewProject.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

NewProjectDialog::NewProjectDialog(const QString& projectsFolder, QWidget* parent) : QDialog(parent)
{
    setObjectName(u"NewProjectDialog"_s);
    setWindowTitle(kCaption);

    edName = new QLineEdit;
    edName->setObjectName(u"edName"_s);
    edName->setAccessibleName(u"Название проекта"_s);
    edName->setMaxLength(persist::kMaxProjectName + 20); // longer is refused with a word, not cut
    auto* nameLabel = new QLabel(u"Название проекта:"_s);
    nameLabel->setBuddy(edName);

    edFolder = new QLineEdit(QDir::toNativeSeparators(projectsFolder));
    edFolder->setObjectName(u"edFolder"_s);
    edFolder->setAccessibleName(u"Папка, в которой создать проект"_s);
    edFolder->setMinimumWidth(320);
    auto* folderLabel = new QLabel(u"В папке:"_s);
    folderLabel->setBuddy(edFolder);
    bFolder = new QPushButton(u"Выбрать…"_s);
    bFolder->setObjectName(u"bFolder"_s);
    bFolder->setAutoDefault(false);

    lbProblem = new QLabel;
    lbProblem->setObjectName(u"lbProblem"_s);
    lbProblem->setWordWrap(true);
    lbProblem->setStyleSheet(u"color: #b00000"_s);
    lbProblem->hide();

    bCreate = new QPushButton(u"Создать"_s);
    bCreate->setObjectName(u"bCreate"_s);
    bCreate->setDefault(true);
    bCancel = new QPushButton(u"Отмена"_s);
    bCancel->setObjectName(u"bCancel"_s);
    bCancel->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(edName, 0, 1, 1, 2);
    fields->addWidget(folderLabel, 1, 0);
    fields->addWidget(edFolder, 1, 1);
    fields->addWidget(bFolder, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bCreate);
    buttons->addWidget(bCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(lbProblem);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(bCreate, &QPushButton::clicked, this, &NewProjectDialog::CreateClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bFolder, &QPushButton::clicked, this, &NewProjectDialog::FolderClick);
    connect(edName, &QLineEdit::textChanged, lbProblem, &QLabel::hide);
    connect(edFolder, &QLineEdit::textChanged, lbProblem, &QLabel::hide);
}

QString NewProjectDialog::name() const
{
    return edName->text().trimmed();
}

QString NewProjectDialog::folder() const
{
    return QDir::fromNativeSeparators(edFolder->text().trimmed());
}

void NewProjectDialog::CreateClick()
{
    try {
        persist::newProjectFolder(folder(), name());
    } catch (const io::Error& e) {
        // Said here, so the author can mend the name without starting over.
        lbProblem->setText(e.message());
        lbProblem->show();
        edName->setFocus();
        return;
    }
    accept();
}

void NewProjectDialog::FolderClick()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, u"Папка для нового проекта"_s, folder());
    if (!chosen.isEmpty())
        edFolder->setText(QDir::toNativeSeparators(chosen));
}

} // namespace kestrava::editor
