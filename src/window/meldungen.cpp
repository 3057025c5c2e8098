#include "wulpe.h"

void Wulpe::cmdInfo_Click()
{
}

void Wulpe::cmdcopy_Click()
{
}

void Wulpe::cmdEnde_Click()
{
}
