#include "editor/workspace/SoundsWindow.h"

#include "document/ProjectDocument.h"
#include "document/ProjectSounds.h"
#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "packaging/JavaTools.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {
namespace {

QString lengthText(int ms)
{
    return u"%1,%2 с"_s.arg(ms / 1000).arg(ms % 1000 / 100);
}

QString sizeText(qint64 bytes)
{
    return bytes < 1024 ? u"%1 байт"_s.arg(bytes) : u"%1 КБ"_s.arg((bytes + 512) / 1024);
}

// The exit code of the player's --listen without an audio device.
constexpr int kNoAudio = 3;

} // namespace

SoundsWindow::SoundsWindow(document::ProjectDocument& document, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs)
{
    setObjectName(u"SoundsWindow"_s);
    setWindowTitle(u"Звуки проекта"_s);
    table = new QTableWidget(0, 6, this);
    table->setObjectName(u"Sounds"_s);
    table->setAccessibleName(u"Звуки проекта"_s);
    table->setHorizontalHeaderLabels({u"№"_s, u"Название"_s, u"Вид"_s, u"Длительность"_s, u"В архиве игры"_s,
                                      u"Играют строки"_s});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setMinimumWidth(720);

    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    bAddFile = button(u"Добавить файл…"_s, "bAddFile");
    bAddMelody = button(u"Добавить мелодию…"_s, "bAddMelody");
    bListen = button(u"Слушать"_s, "bListen");
    bRename = button(u"Переименовать…"_s, "bRename");
    bRemove = button(u"Удалить"_s, "bRemove");
    bReduce = button(u"Уменьшить для телефона"_s, "bReduce");
    bReduce->setToolTip(u"Звук WAV станет 8 кГц, моно, 8 бит: меньше места в телефоне, чуть хуже звучание"_s);
    status = new QLabel(this);
    status->setObjectName(u"status"_s);
    status->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {bAddFile, bAddMelody, bListen, bRename, bRemove, bReduce})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(buttons);
    layout->addWidget(status);

    connect(bAddFile, &QPushButton::clicked, this, [this] {
        const QString file = m_dialogs.openFileName(this, QString(), u"Звуки (*.wav *.mid *.midi)"_s);
        if (!file.isEmpty())
            addFile(file);
    });
    connect(bAddMelody, &QPushButton::clicked, this, [this] {
        QDialog ask(this);
        ask.setObjectName(u"fmMelody"_s);
        ask.setWindowTitle(u"Мелодия"_s);
        auto* name = new QLineEdit(u"мелодия"_s, &ask);
        auto* notes = new QLineEdit(u"C5 8, D5 8, E5 4, - 4, G5 2"_s, &ask);
        notes->setMinimumWidth(360);
        auto* tempo = new QSpinBox(&ask);
        tempo->setRange(model::kMinTempo, model::kMaxTempo);
        tempo->setValue(120);
        auto* form = new QFormLayout(&ask);
        form->addRow(u"Название"_s, name);
        form->addRow(u"Ноты (нота, октава, длина: C5 8, - 4 пауза)"_s, notes);
        form->addRow(u"Темп, четвертей в минуту"_s, tempo);
        // "Да", as every entry dialog of the editor answers.
        auto* box = new QDialogButtonBox(&ask);
        box->addButton(u"Да"_s, QDialogButtonBox::AcceptRole)->setObjectName(u"bYes"_s);
        box->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole)->setObjectName(u"bCancel"_s);
        form->addRow(box);
        connect(box, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
        connect(box, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
        if (ask.exec() == QDialog::Accepted)
            addMelody(name->text(), notes->text(), tempo->value());
    });
    connect(bListen, &QPushButton::clicked, this, &SoundsWindow::listen);
    connect(bRename, &QPushButton::clicked, this, &SoundsWindow::rename);
    connect(bRemove, &QPushButton::clicked, this, &SoundsWindow::remove);
    connect(bReduce, &QPushButton::clicked, this, &SoundsWindow::reduce);
    connect(table, &QTableWidget::itemSelectionChanged, this, &SoundsWindow::refresh);
    connect(&m_document, &document::ProjectDocument::soundsChanged, this, &SoundsWindow::refresh);

    try {
        packaging::findJavaTool(u"java"_s);
    } catch (const io::Error& e) {
        noAudio(e.message());
    }
    refresh();
}

SoundsWindow::~SoundsWindow()
{
    if (m_player) {
        m_player->kill();
        m_player->waitForFinished(2000);
    }
}

void SoundsWindow::noAudio(const QString& why)
{
    bListen->setEnabled(false);
    bListen->setToolTip(why);
    bListen->setProperty("noAudio", true);
}

int SoundsWindow::selected() const
{
    const int row = table->currentRow();
    const auto& sounds = m_document.project().Sounds;
    return row >= 0 && row < int(sounds.size()) ? sounds[size_t(row)].Number : 0;
}

void SoundsWindow::refresh()
{
    const int keep = table->currentRow();
    const std::vector<document::SoundLine> lines = document::soundLines(m_document.project());
    const QSignalBlocker quiet(table);
    table->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r) {
        const document::SoundLine& line = lines[size_t(r)];
        const QStringList cells{QString::number(line.sound.Number), line.sound.Name,
                                line.problem.isEmpty() ? line.info.format : model::soundKindName(line.sound.Kind),
                                line.problem.isEmpty() ? lengthText(line.info.lengthMs) : u"—"_s,
                                line.problem.isEmpty() ? sizeText(line.jarBytes) : u"не читается"_s,
                                line.usedBy.isEmpty() ? u"не играет (в игру не попадёт)"_s : line.usedBy.join(u"; "_s)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (!line.problem.isEmpty())
                item->setToolTip(line.problem);
            table->setItem(r, c, item);
        }
    }
    if (keep >= 0 && keep < table->rowCount())
        table->selectRow(keep);
    const int number = selected();
    const model::SoundData* sound = model::findSound(m_document.project().Sounds, number);
    const bool noAudio = bListen->property("noAudio").toBool();
    bListen->setEnabled(sound && !noAudio && !m_player);
    bRename->setEnabled(sound);
    bRemove->setEnabled(sound);
    bool reducible = false;
    for (const document::SoundLine& line : lines)
        if (line.sound.Number == number)
            reducible = line.problem.isEmpty() && line.info.reducible;
    bReduce->setEnabled(reducible);
    const bool open = m_document.project().hasProjectDir();
    bAddFile->setEnabled(open);
    bAddMelody->setEnabled(open);
}

void SoundsWindow::addFile(const QString& file)
{
    guarded(this, [&] {
        std::vector<model::SoundData> sounds = m_document.project().Sounds;
        sounds.push_back(document::importSoundFile(m_document.project(), file));
        m_document.setSounds(sounds, u"добавление звука"_s);
        table->selectRow(int(sounds.size()) - 1);
    });
}

void SoundsWindow::addMelody(const QString& name, const QString& notes, int tempo)
{
    guarded(this, [&] {
        std::vector<model::SoundData> sounds = m_document.project().Sounds;
        sounds.push_back(document::newMelody(m_document.project(), name, notes, tempo));
        m_document.setSounds(sounds, u"добавление мелодии"_s);
        table->selectRow(int(sounds.size()) - 1);
    });
}

void SoundsWindow::listen()
{
    const model::SoundData* sound = model::findSound(m_document.project().Sounds, selected());
    if (!sound || m_player)
        return;
    guarded(this, [&] {
        const QString file = document::listenedFile(m_document.project(), *sound, m_temp.path());
        m_player = new QProcess(this);
        m_player->setProcessChannelMode(QProcess::MergedChannels);
        connect(m_player, &QProcess::finished, this, [this](int code) {
            const QString said = QString::fromUtf8(m_player->readAll()).trimmed();
            m_player->deleteLater();
            m_player = nullptr;
            if (code == kNoAudio) {
                // The player's reason is Java's, in English: kept for the tooltip, not for the author's eye.
                noAudio(said);
                status->setText(u"Нет звукового устройства: на этом компьютере звук не прослушать. В игре на "
                                u"телефоне он прозвучит."_s);
            } else {
                status->setText(code == 0 ? QString() : said);
            }
            refresh();
        });
        m_player->start(packaging::findJavaTool(u"java"_s), {u"-jar"_s, m_document.app().player(), u"--listen"_s, file});
        status->setText(u"Звучит «%1»…"_s.arg(sound->Name));
        bListen->setEnabled(false);
    });
}

void SoundsWindow::rename()
{
    std::vector<model::SoundData> sounds = m_document.project().Sounds;
    const int row = table->currentRow();
    if (row < 0 || row >= int(sounds.size()))
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, u"Название звука"_s, u"Название"_s, QLineEdit::Normal,
                                               sounds[size_t(row)].Name, &ok);
    if (!ok)
        return;
    guarded(this, [&] {
        sounds[size_t(row)].Name = name.trimmed();
        if (const QString problem = model::soundProblem(sounds[size_t(row)]); !problem.isEmpty())
            throw io::Error(problem);
        m_document.setSounds(sounds, u"название звука"_s);
    });
}

void SoundsWindow::remove()
{
    std::vector<model::SoundData> sounds = m_document.project().Sounds;
    const int row = table->currentRow();
    if (row < 0 || row >= int(sounds.size()))
        return;
    const QStringList used = document::rowsUsingSound(m_document.project(), sounds[size_t(row)].Number);
    if (!used.isEmpty()
        && QMessageBox::question(this, windowTitle(),
                                 u"Звук %1 «%2» играют строки: %3. Удалить его? Эти строки в игре станут беззвучными."_s
                                     .arg(sounds[size_t(row)].Number)
                                     .arg(sounds[size_t(row)].Name, used.join(u"; "_s)))
               != QMessageBox::Yes)
        return;
    sounds.erase(sounds.begin() + row);
    m_document.setSounds(sounds, u"удаление звука"_s);
}

void SoundsWindow::reduce()
{
    std::vector<model::SoundData> sounds = m_document.project().Sounds;
    const int row = table->currentRow();
    if (row < 0 || row >= int(sounds.size()))
        return;
    guarded(this, [&] {
        sounds[size_t(row)] = document::reducedSound(m_document.project(), sounds[size_t(row)]);
        m_document.setSounds(sounds, u"уменьшение звука"_s);
    });
}

} // namespace kestrava::editor
