#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QString>
#include <QUndoCommand>

#include <optional>
#include <vector>

namespace kestrava::document {

class ProjectDocument;

// An edit of one stage. Undoing or redoing it shows that stage, so the
// author sees what changed.
class StageCommand : public QUndoCommand {
public:
    StageCommand(ProjectDocument& document, int level, const QString& text);

    int level() const { return m_level; }

protected:
    // The stage, made current when it is not.
    model::StageData& stage();
    void levelMapChanged();
    void groupsChanged();

    ProjectDocument& m_document;
    const int m_level;
};

// Replaces a whole stage record: for edits that touch many tables at once
// (an imported object), where keeping both records is the simplest exact undo.
class StageSnapshotCommand : public StageCommand {
public:
    StageSnapshotCommand(ProjectDocument& document, int level, const QString& text, model::StageData before,
                         model::StageData after);

    void undo() override;
    void redo() override;

private:
    void show(const model::StageData& record);

    model::StageData m_before;
    model::StageData m_after;
};

// "Обновить": the stage with its groups of one object file read again, and
// the project's copies of that file and its pictures; undoing puts the old
// copies back (a file that was not there is removed again).
class UpdateObjectCommand : public StageSnapshotCommand {
public:
    struct File {
        QString path;
        std::optional<QByteArray> before; // none: it was not there
        QByteArray after;
    };

    // The files are already written: the first redo only shows the stage.
    UpdateObjectCommand(ProjectDocument& document, int level, const QString& name, model::StageData before,
                        model::StageData after, std::vector<File> files);

    void undo() override;
    void redo() override;

private:
    void write(bool forward);

    std::vector<File> m_files;
    bool m_written = true;
};

// "новый уровень".
class AddLevelCommand : public QUndoCommand {
public:
    explicit AddLevelCommand(ProjectDocument& document);

    void undo() override;
    void redo() override;

private:
    ProjectDocument& m_document;
    int m_before;
};

} // namespace kestrava::document
