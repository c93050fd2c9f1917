#pragma once
// Seeded byte-level mutations for the bad-input tests: the same seed gives
// the same cases on every run.
#include <cstdint>
#include <random>
#include <string>

class CMutator {
public:
    explicit CMutator(uint32_t seed) : m_random(seed) {}

    // One to four random edits of `input`.
    std::string Mutate(const std::string& input)
    {
        std::string text = input;
        int edits = Pick(1, 4);
        for (int i = 0; i < edits; ++i)
            Edit(text);
        return text;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    size_t Position(const std::string& text) { return text.empty() ? 0 : size_t(Pick(0, int(text.size()) - 1)); }

    void Edit(std::string& text)
    {
        // Characters that matter to the XML and JSON grammars.
        static const char kSyntax[] = "<>/\"'=&;{}[]:,\\!?-#x \t\n";
        switch (Pick(0, 7)) {
        case 0: // flip one bit
            if (!text.empty())
                text[Position(text)] ^= char(1 << Pick(0, 7));
            break;
        case 1: // any byte
            if (!text.empty())
                text[Position(text)] = char(Pick(0, 255));
            break;
        case 2: // a syntax character, replacing or inserted
            if (Pick(0, 1) && !text.empty())
                text[Position(text)] = kSyntax[Pick(0, int(sizeof kSyntax) - 2)];
            else
                text.insert(Position(text), 1, kSyntax[Pick(0, int(sizeof kSyntax) - 2)]);
            break;
        case 3: { // delete a range
            size_t at = Position(text);
            text.erase(at, size_t(Pick(1, 16)));
            break;
        }
        case 4: { // repeat a range
            size_t at = Position(text);
            std::string piece = text.substr(at, size_t(Pick(1, 40)));
            text.insert(Position(text), piece);
            break;
        }
        case 5: // truncate
            text.resize(Position(text));
            break;
        case 6: // a zero byte
            if (!text.empty())
                text[Position(text)] = '\0';
            break;
        default: { // swap two ranges' starts
            size_t a = Position(text), b = Position(text);
            if (!text.empty())
                std::swap(text[a], text[b]);
            break;
        }
        }
    }

    std::mt19937 m_random;
};
