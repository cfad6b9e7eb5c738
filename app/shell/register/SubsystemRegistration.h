#pragma once

// Each later subsystem registers its classes, document types, menus and
// upward hooks in a file of its own here; ComposeProgram calls them in
// the order of the layers. Each runs twice without harm.
void RegisterMeasureSubsystem();
void RegisterDataViews();
void RegisterGraphDocuments();
void RegisterFrequencyViews();
void RegisterCanVoiceGpsViews();
void RegisterProjectPages();
