#include "host/ui/ZelvarLineEditValidator.h"

ZelvarLineEditValidator::ZelvarLineEditValidator(QObject* parent)
    : QValidator(parent)
{
}

ZelvarLineEditValidator::~ZelvarLineEditValidator() = default;

void ZelvarLineEditValidator::fixup(QString& /*input*/) const
{
}
