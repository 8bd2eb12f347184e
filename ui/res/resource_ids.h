// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_DORVAXIL 1
