#include "editor/workspace/BuildProgressDialog.h"

#include "editor/common/ErrorBox.h"
#include "io/Error.h"
#include "model/Project.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

BuildProgressDialog::BuildProgressDialog(const QStringList& steps, QWidget* parent) : QDialog(parent), m_steps(steps)
{
    setObjectName(u"fmBuildGame"_s);
    setWindowTitle(u"Сборка игры"_s);
    setModal(true);
    auto* column = new QVBoxLayout(this);
    for (int k = 0; k < steps.size(); ++k) {
        auto* label = new QLabel(u"%1. %2"_s.arg(k + 1).arg(steps[k]), this);
        label->setObjectName(u"Step%1"_s.arg(k + 1));
        label->setAccessibleName(u"Шаг %1: %2"_s.arg(k + 1).arg(steps[k]));
        label->setEnabled(false);
        column->addWidget(label);
        m_labels.append(label);
    }
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(u"Progress"_s);
    m_bar->setAccessibleName(u"Ход сборки"_s);
    m_bar->setRange(0, int(steps.size()));
    m_bar->setValue(0);
    m_bar->setFormat(u"%v из %m"_s);
    column->addWidget(m_bar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancel = new QPushButton(u"Отмена"_s, this);
    m_cancel->setObjectName(u"Cancel"_s);
    m_cancel->setAccessibleName(u"Отмена"_s);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &BuildProgressDialog::reject);
    setMinimumWidth(380);
}

BuildProgressDialog::~BuildProgressDialog() = default;

void BuildProgressDialog::reject()
{
    // Closing a finished job's report is no failure.
    if (m_report) {
        accept();
        return;
    }
    if (!m_running) {
        QDialog::reject();
        return;
    }
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_cancel->setText(u"Прерывается…"_s);
}

void BuildProgressDialog::showStep(int step)
{
    for (int k = 0; k < m_labels.size(); ++k) {
        QLabel* label = m_labels[k];
        QFont font = label->font();
        font.setBold(k + 1 == step);
        label->setFont(font);
        label->setEnabled(k + 1 <= step);
        const QString mark = k + 1 < step ? u"✓ "_s : k + 1 == step ? u"▶ "_s : QString();
        label->setText(mark + u"%1. %2"_s.arg(k + 1).arg(m_steps[k]));
    }
    m_bar->setValue(step - 1);
}

void BuildProgressDialog::finished(bool ok)
{
    m_running = false;
    if (ok)
        m_bar->setValue(m_bar->maximum());
    if (ok && !m_reportLines.isEmpty()) {
        showReport();
        return;
    }
    done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void BuildProgressDialog::showReport()
{
    showStep(int(m_steps.size()) + 1);
    setWindowTitle(m_reportWarns ? u"Игра собрана, но не уложится в телефон"_s : u"Игра собрана"_s);
    m_report = new QPlainTextEdit(m_reportLines.join(u'\n'), this);
    m_report->setObjectName(u"Report"_s);
    m_report->setAccessibleName(u"Отчёт о сборке"_s);
    m_report->setReadOnly(true);
    m_report->setMinimumHeight(fontMetrics().lineSpacing() * int(std::min<qsizetype>(m_reportLines.size() + 2, 14)));
    if (m_reportWarns) {
        QPalette palette = m_report->palette();
        palette.setColor(QPalette::Text, QColor(160, 0, 0));
        m_report->setPalette(palette);
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(layout()->indexOf(m_bar) + 1, m_report);
    m_cancel->setEnabled(true);
    m_cancel->setText(u"Закрыть"_s);
    m_cancel->setAccessibleName(u"Закрыть"_s);
    m_cancel->setFocus();
    setMinimumWidth(560);
}

bool BuildProgressDialog::run(const Job& job)
{
    m_running = true;
    m_cancelled = false;
    Progress progress;
    progress.step = [this](int step) { QMetaObject::invokeMethod(this, [this, step] { showStep(step); }); };
    progress.cancelled = [this] { return m_cancelled.load(); };
    m_reportLines.clear();
    // Called on the worker, read on this thread only after the worker has ended.
    progress.report = [this](const QStringList& lines, bool warn) {
        m_reportLines = lines;
        m_reportWarns = warn;
    };
    std::exception_ptr failure;
    QThread* worker = QThread::create([this, job, progress, &failure] {
        try {
            job(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        const bool ok = !failure && !m_cancelled;
        QMetaObject::invokeMethod(this, [this, ok] { finished(ok); });
    });
    worker->start();
    const int result = exec();
    worker->wait();
    delete worker;
    if (failure && !m_cancelled)
        guarded(parentWidget(), [&failure] { std::rethrow_exception(failure); });
    return result == QDialog::Accepted;
}

std::optional<packaging::Packager::Result> BuildProgressDialog::package(QWidget* parent, const model::Project& project,
                                                                 const io::AppFolder& app, bool shrink,
                                                                 packaging::StandbyJava* standby, bool report)
{
    const QList<packaging::Packager::Step> order = packaging::Packager::steps(shrink);
    QStringList steps;
    for (const packaging::Packager::Step step : order)
        steps.append(packaging::Packager::stepCaption(step));
    BuildProgressDialog dialog(steps, parent);
    std::optional<packaging::Packager::Result> result;
    // The worker packages its own copy: nothing it reads can change under it.
    const model::Project copy = project;
    const bool done = dialog.run([&result, &copy, &app, &order, shrink, standby, report](const Progress& progress) {
        packaging::Packager packager(app);
        packager.setShrink(shrink);
        packager.useStandby(standby);
        packager.onStep([&progress, &order](packaging::Packager::Step step) { progress.step(int(order.indexOf(step)) + 1); });
        packager.cancelWhen(progress.cancelled);
        result = packager.run(copy);
        if (report)
            progress.report(result->budget.lines(), !result->budget.overs().isEmpty());
    });
    return done ? result : std::nullopt;
}

} // namespace kestrava::editor
