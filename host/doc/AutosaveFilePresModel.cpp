#include "AutosaveFilePresModel.h"

AutosaveFilePresModel::~AutosaveFilePresModel() = default;
