#pragma once

#include "play/form1.h"

// The row at which the autopilot holds the pointer to steer the paddle under column `x`: as low
// in the field as the pointer still steers it, since not every element passes the pointer on.
int32 steeringRow(const TForm1& form, int32 x);
