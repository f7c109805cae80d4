#include "app/no_device_notice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

NoDeviceNotice::NoDeviceNotice(const QString &title, const QString &rulePath)
    : QDialog(nullptr), label(new QLabel(waitingText())), rule(rulePath)
{
    setWindowTitle(title);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *busy = new QProgressBar;
    busy->setRange(0, 0); // no end: it moves for as long as it waits
    busy->setTextVisible(false);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(busy);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString NoDeviceNotice::waitingText()
{
    return tr("No Z4 mouse was found.\n\n"
              "Plug it in: this window opens by itself when it is connected.");
}

QString NoDeviceNotice::deniedText(const QString &path, const QString &rulePath)
{
    return tr("A Z4 mouse is plugged in, but this user may not open it (%1).\n\n"
              "Install the udev rule %2 into /etc/udev/rules.d/, then reload the rules "
              "and plug the mouse in again:\n"
              "    sudo udevadm control --reload-rules && sudo udevadm trigger\n\n"
              "The window opens by itself as soon as the mouse can be opened.")
        .arg(path, rulePath);
}

void NoDeviceNotice::setDeniedPath(const QString &path)
{
    label->setText(path.isEmpty() ? waitingText() : deniedText(path, rule));
}

QString NoDeviceNotice::text() const
{
    return label->text();
}
