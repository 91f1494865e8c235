#pragma once

#include <QDialog>
#include <QTemporaryDir>

class QLabel;
class QProcess;
class QPushButton;
class QTableWidget;

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

class StandardDialogs;

// "Звуки проекта…": the project's sounds (number, name, kind, length, the
// bytes each adds to the jar, the rows that play it); adding a WAV or MIDI
// file or a typed melody, listening through the project's player, renaming,
// removing (asked first when rows use it) and "Уменьшить для телефона".
class SoundsWindow : public QDialog {
    Q_OBJECT
public:
    // The file dialog of "Добавить файл…" is the dialogs', so tests answer it.
    SoundsWindow(document::ProjectDocument& document, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~SoundsWindow() override;

    QTableWidget* table = nullptr;
    QPushButton* bAddFile = nullptr;
    QPushButton* bAddMelody = nullptr;
    QPushButton* bListen = nullptr;
    QPushButton* bRename = nullptr;
    QPushButton* bRemove = nullptr;
    QPushButton* bReduce = nullptr;
    QLabel* status = nullptr;

    // The file "Добавить файл…" takes, for tests without a file dialog.
    void addFile(const QString& file);
    void addMelody(const QString& name, const QString& notes, int tempo);
    void refresh();

private:
    int selected() const;
    void listen();
    void rename();
    void remove();
    void reduce();
    void noAudio(const QString& why);

    document::ProjectDocument& m_document;
    StandardDialogs& m_dialogs;
    QProcess* m_player = nullptr;
    QTemporaryDir m_temp;
};

} // namespace kestrava::editor
