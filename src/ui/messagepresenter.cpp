#include "messagepresenter.h"

#include "ui/nightvision.h"

#include <QMessageBox>

void MessageBoxPresenter::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zenitor"), text, QMessageBox::Ok, parent);
    box.setPalette(NightVision::palette());
    box.exec();
}
