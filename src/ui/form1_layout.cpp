#include "form1.h"

void Form1::captureLayout()
{
}

void Form1::Form_Resize()
{
}
