#include "editor/workspace/ConversionReport.h"

#include "codegen/Converter.h"
#include "codegen/StageClass.h"
#include "editor/common/ErrorBox.h"
#include "events/SheetPicture.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

bool ConversionReport::run(QWidget* parent, const model::Project& project, const io::AppFolder& app)
{
    // The conversion comes first: its success message must not appear for a
    // conversion that stopped.
    if (!guarded(parent, [&] { codegen::convertProject(project, app); }))
        return false;
    ConversionReport window(parent);
    // Rows naming objects their stage lacks convert, but do nothing in the game.
    // Rows without their loops (read without the extras file) would not compile.
    const QStringList notes = events::unmetRowNotes(project) + codegen::unopenedLoopNotes(project);
    if (!notes.isEmpty())
        window.m_label->setText(window.m_label->text() + u"\n\n"_s + notes.join(u'\n'));
    window.exec();
    return true;
}

ConversionReport::ConversionReport(QWidget* parent) : QDialog(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("fmConvert"));
    setWindowTitle(QStringLiteral("Конвертирование проекта"));
    setModal(true);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setText(QStringLiteral("Конвертирование успешно завершено"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(m_label);
    setMinimumSize(320, 90);
}

void ConversionReport::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        accept();
    else
        QDialog::mouseReleaseEvent(event);
}

bool ConversionReport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrava::editor
