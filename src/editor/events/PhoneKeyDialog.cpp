#include "editor/events/PhoneKeyDialog.h"

#include "catalogue/PhoneKeys.h"

#include <QPushButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

PhoneKeyDialog::PhoneKeyDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmSelectKey1"_s);
    setWindowTitle(u"Выбор клавиши"_s);

    int right = 0;
    int bottom = 0;
    for (const catalogue::PhoneKey& key : catalogue::phoneKeys()) {
        auto* button = new QPushButton(key.caption, this);
        button->setObjectName(u"Key_"_s + key.KeyName);
        button->setAccessibleName(key.description);
        button->setToolTip(key.description);
        button->setAutoDefault(false);
        button->setGeometry(key.left, key.top, catalogue::kPhoneKeyWidth, catalogue::kPhoneKeyHeight);
        connect(button, &QPushButton::clicked, this, [this, name = key.KeyName, code = key.KeyCode] {
            KeyName = name;
            KeyCode = code;
            accept();
        });
        Keys << button;
        right = std::max(right, key.left + catalogue::kPhoneKeyWidth);
        bottom = std::max(bottom, key.top + catalogue::kPhoneKeyHeight);
    }
    // The same margin right and below as the soft keys have left and above.
    setFixedSize(right + 8, bottom + 8);
}

} // namespace kestrava::editor
