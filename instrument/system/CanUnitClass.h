#pragma once

// The CAN/voice/GPS unit lives in a layer above this one; the measuring
// system recognises it by its registered run-time class, as a run-time
// class test (the unit's class or one derived from it).

class CKivUnit;

bool IsCanVoiceGpsUnit(const CKivUnit* unit);
