// The "Permission required" dialog of the embedded browser.
#include "browser/permissionprompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrelo {

TPromptAnswer TQtPermissionPrompt::Ask(const TPermissionAsk& ask) {
    QDialog box(parent_);
    box.setObjectName(QStringLiteral("PermissionPrompt"));
    box.setWindowTitle(QStringLiteral("Permission required"));
    auto* layout = new QVBoxLayout(&box);
    auto* question = new QLabel(ask.question, &box);
    question->setObjectName(QStringLiteral("PermissionQuestion"));
    question->setWordWrap(true);
    question->setTextFormat(Qt::PlainText);
    layout->addWidget(question);
    if (!ask.details.isEmpty()) {
        // Never cut: a long request scrolls, and every line of it is there to read.
        auto* details = new QPlainTextEdit(&box);
        details->setObjectName(QStringLiteral("PermissionDetails"));
        details->setReadOnly(true);
        details->setPlainText(ask.details);
        details->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        details->setWordWrapMode(QTextOption::WrapAnywhere);
        details->setMinimumHeight(120);
        layout->addWidget(details, 1);
    }
    const bool known = ask.choices == TPromptChoices::OnceAlwaysOrRefuse;
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* once =
        buttons->addButton(known ? QStringLiteral(" Allow once ") : QStringLiteral("Allow"), QDialogButtonBox::AcceptRole);
    QPushButton* always =
        known ? buttons->addButton(QStringLiteral(" Always allow "), QDialogButtonBox::AcceptRole) : nullptr;
    QPushButton* no = buttons->addButton(known ? QStringLiteral(" Don't allow ") : QStringLiteral("Don't allow"),
                                         QDialogButtonBox::RejectRole);
    // Enter refuses too: allowing takes a deliberate choice.
    once->setAutoDefault(false);
    if (always)
        always->setAutoDefault(false);
    no->setDefault(true);
    no->setFocus();
    layout->addWidget(buttons);
    TPromptAnswer answer = TPromptAnswer::Refused;
    QObject::connect(once, &QPushButton::clicked, &box, [&] {
        answer = TPromptAnswer::Once;
        box.accept();
    });
    if (always) {
        QObject::connect(always, &QPushButton::clicked, &box, [&] {
            answer = TPromptAnswer::Always;
            box.accept();
        });
    }
    QObject::connect(no, &QPushButton::clicked, &box, &QDialog::reject);
    box.resize(520, ask.details.isEmpty() ? box.sizeHint().height() : 320);
    // Escape and closing the window reject: nothing is allowed.
    box.exec();
    return answer;
}

} // namespace vantrelo
