// Windows-1251 text: conversion to and from UTF-8 and upper-casing with Cyrillic.
// Every text the log stores, shows or writes is single-byte Windows-1251; UTF-8 exists only
// at the edges (SQLite TEXT columns, Qt strings, the terminal).
#pragma once

#include <string>
#include <string_view>

namespace jurnal {

// Unicode code point of one Windows-1251 byte. The one byte the code page leaves undefined
// (0x98) maps to U+0098 so that every byte survives a round trip.
char32_t cp1251ToUnicode(unsigned char byte);

// Windows-1251 byte of a code point, or '?' when the code page has no such character.
char unicodeToCp1251(char32_t codePoint);

std::string cp1251ToUtf8(std::string_view cp1251);
// The same into `out`, replacing its contents and reusing its storage.
void cp1251ToUtf8(std::string_view cp1251, std::string& out);

// Invalid UTF-8 sequences and characters outside the code page become '?'.
std::string utf8ToCp1251(std::string_view utf8);

// Upper case of one byte: Latin a-z, Cyrillic а-я, ё and the other Cyrillic letters of the page.
char upperCp1251(char c);
std::string upperCp1251(std::string_view text);

}  // namespace jurnal
