#include "Tuple.h"

Tuple::~Tuple() = default;
