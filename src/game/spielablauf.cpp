#include "window/wulpe.h"

void Wulpe::cmdStart_Click()
{
}

void Wulpe::imgTuer_Click(std::int16_t)
{
}
