#include "docbase/settings/SoundOutput.h"

#include "framework/core/ServiceSlot.h"

ISoundOutput& SoundOutput()
{
    static CSilentSound silent;
    ISoundOutput* output = fw::Installed<ISoundOutput>();
    return output ? *output : silent;
}

ISoundOutput* InstallSoundOutput(ISoundOutput* output)
{
    return fw::Install<ISoundOutput>(output);
}
