#pragma once

#include "model/Project.h"
#include "persist/ImportKind.h"
#include "persist/ObjectImport.h"
#include "undo/Step.h"

#include <QByteArray>
#include <QString>
#include <QUndoCommand>

#include <array>
#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace kestrava::document {

class ProjectDocument;

// An edit of one stage. Undoing or redoing it shows that stage, so the
// author sees what changed.
class StageCommand : public undo::Step {
public:
    StageCommand(ProjectDocument& document, int level, const QString& text);

    int level() const { return m_level; }
    std::size_t heldBytes() const override { return sizeof *this; }

protected:
    // The stage, made current when it is not.
    model::StageData& stage();
    void levelMapChanged();
    void groupsChanged();

    ProjectDocument& m_document;
    const int m_level;
};

// An imported object: the counts of the stage and the one group, text
// object or lives bar the import wrote, before and after. A stage of 40
// full-size maps would cost two copies of all 40 per step if kept whole.
class ImportCommand : public StageCommand {
public:
    // before and after are the whole stage around the import; only the part
    // imported names is kept.
    ImportCommand(ProjectDocument& document, int level, const QString& text, const model::StageData& before,
                  const model::StageData& after, const persist::ImportedObject& imported);

    void undo() override;
    void redo() override;
    std::size_t heldBytes() const override;

private:
    struct Part {
        // Each kind's entries (persist::ImportKind::entries), in the order of model::kObjectKinds.
        std::array<int, model::kObjectKinds.size()> entries{};
        int listSlots = 0;
        persist::ImportedRecord record;
    };
    Part partOf(const model::StageData& stage) const;
    void show(const Part& part);

    model::ObjectKind m_kind;
    int m_index;
    Part m_before;
    Part m_after;
};

// Replaces a whole stage record: for edits that touch many tables at once
// (an updated object's every group), where keeping both records is the
// simplest exact undo.
class StageSnapshotCommand : public StageCommand {
public:
    StageSnapshotCommand(ProjectDocument& document, int level, const QString& text, model::StageData before,
                         model::StageData after);

    void undo() override;
    void redo() override;
    std::size_t heldBytes() const override;

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
    std::size_t heldBytes() const override;

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
