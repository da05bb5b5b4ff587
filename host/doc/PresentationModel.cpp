#include "PresentationModel.h"

PresentationModel::~PresentationModel() = default;
