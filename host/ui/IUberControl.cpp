#include "host/ui/IUberControl.h"

IUberControl::~IUberControl() = default;
