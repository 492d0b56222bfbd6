#include "ui/form1.h"

#include <QComboBox>

void Form1::fillChoicesFromFiles()
{
}

void Form1::windowActivated()
{
}

void Form1::Form_Activate()
{
}

void Form1::Combo3_Click()
{
}

void Form1::Combo2_Click()
{
}

void Form1::selectEntry(QComboBox *combo, int index)
{
    Q_UNUSED(combo);
    Q_UNUSED(index);
}
