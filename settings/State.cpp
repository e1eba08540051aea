#include "settings/State.h"

#include "settings/Languages.h"

// std::string copies share nothing, so a plain copy makes the target
// independent of the source.
void CopyState(const TPS& source, TPS& target)
{
    target = source;
}

void FillDefaultSettings(TPS& state)
{
    const TLanguageDefaults defaults = LanguageDefaults(BuiltInLanguages[0]);
    state.Values = defaults.Values;
    state.Captions = defaults.Captions;
}
