#include "docbase/settings/SoundOutput.h"

namespace {

ISoundOutput* g_output = nullptr;

} // namespace

ISoundOutput& SoundOutput()
{
    static CSilentSound silent;
    return g_output ? *g_output : silent;
}

ISoundOutput* InstallSoundOutput(ISoundOutput* output)
{
    ISoundOutput* old = g_output;
    g_output = output;
    return old;
}
