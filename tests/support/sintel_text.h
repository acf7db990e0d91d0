#pragma once
// The film sample with real lettering, and what its 26 subtitles say, lines joined by "|".
#include <string>
#include <vector>

inline const std::string kSintelStream = std::string(MARROWBY_SAMPLES_DIR) + "/pgs/sintel-en.sup";

inline const std::vector<std::string> kSintelText = {
    "This blade has a dark past.",
    "It has shed much innocent blood.",
    "You're a fool for traveling alone,|so completely unprepared.",
    "You're lucky your blood's still flowing.",
    "Thank you.",
    "So...",
    "What brings you to|the land of the gatekeepers?",
    "I'm searching for someone.",
    "Someone very dear?|A kindred spirit?",
    "A dragon.",
    "A dangerous quest for a lone hunter.",
    "I've been alone for|as long as I can remember.",
    "We're almost done. Shhh...",
    "Hey, sit still.",
    "Good night, Scales.",
    "Get him, Scales! Come on!",
    "Scales?",
    "Yeah! Come on!",
    "Scales!",
    "I have failed.",
    "You've only failed to see...",
    "These are dragon lands, Sintel.",
    "You are closer than you know.",
    "Scales!",
    "Scales?",
    "Scales...",
};
