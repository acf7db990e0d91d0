#pragma once
class App;

// Imports the SRT file named by srcName as a list of picture subtitles.
void ReadSRT(App& app);
