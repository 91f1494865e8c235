#pragma once

#include "packaging/Packager.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// "Собрать игру" and "Играть": the progress dialog of a job that runs on a
// worker thread, so the editor keeps drawing and answering while the compiler
// works. It lists the job's steps and marks each as it starts; "Отмена"
// asks the job to stop and waits for it. A job that leaves a report (the
// game against its handset's budget) keeps the dialog open on it until the
// author closes it.
class BuildProgressDialog : public QDialog {
    Q_OBJECT
public:
    // What the worker gets: report a step (1-based) as it starts; ask whether
    // to stop; leave the lines to show once it has finished, `warn` when they
    // say something is wrong.
    struct Progress {
        std::function<void(int step)> step;
        std::function<bool()> cancelled;
        std::function<void(const QStringList& lines, bool warn)> report;
    };
    using Job = std::function<void(const Progress&)>;

    explicit BuildProgressDialog(const QStringList& steps, QWidget* parent = nullptr);
    ~BuildProgressDialog() override;

    // Shows the dialog modally while job runs. True when it finished; a
    // failure is shown in the error box (not when the author cancelled).
    bool run(const Job& job);

    // Packages a copy of the project with the dialog showing the packager's
    // steps; shrink: through ProGuard ("Уменьшить игру"); standby: the Java
    // process that compiles without starting a compiler, when there is one;
    // report: the dialog then shows the game against its handset's budget.
    static std::optional<packaging::Packager::Result> package(QWidget* parent, const model::Project& project,
                                                              const io::AppFolder& app, bool shrink = false,
                                                              packaging::StandbyJava* standby = nullptr,
                                                              bool report = false);

    QPushButton* cancelButton() const { return m_cancel; }
    // The report once the job finished with one ("Отчёт о сборке"), else null.
    QPlainTextEdit* report() const { return m_report; }
    QLabel* stepLabel(int step) const { return m_labels.value(step - 1); }
    bool cancelled() const { return m_cancelled; }

protected:
    // Escape or the window's close box cancel the job instead of leaving it running.
    void reject() override;

private:
    void showStep(int step);
    void finished(bool ok);
    void showReport();

    QStringList m_steps;
    QList<QLabel*> m_labels;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    std::atomic<bool> m_cancelled{false};
    bool m_running = false;
    // The job's report, left by the worker before it finished.
    QStringList m_reportLines;
    bool m_reportWarns = false;
    QPlainTextEdit* m_report = nullptr;
};

} // namespace kestrava::editor
