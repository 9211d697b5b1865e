#pragma once
// The genre names the page shows for what a tag stores: an ID3v1 genre byte, or the values of
// an ID3v2 genre frame, which may be numbers, references such as "(17)" or "(RX)", and text.
#include "platform/LegacyEncoding.h"

#include <string>
#include <string_view>

// Genre n of the 192 standard genres; nothing from 192 on.
void appendStandardGenre(std::string& out, int n);

// Every value of a genre frame in the page's encoding, each decoded on its own (a UTF-16 value
// with its own byte-order mark) and read as a genre; values that name nothing are left out,
// the others joined with "; ". `values` is the frame's text after its encoding byte; single-byte
// text that is not UTF-8 is read in `legacy`.
void genreValuesToPage(std::string_view values, int encoding, platform::LegacyEncoding legacy, std::string& out);

// One decoded value: only digits name genre n; else references at its start, each "(n)",
// "(RX)" (Remix) or "(CR)" (Cover), name their genres, joined with "; ", unless text follows
// them, which is shown instead (a leading "((" as "("); anything else stands as it is.
void appendGenreValue(std::string& out, std::string_view value);
