#pragma once

namespace kapstat::print {

// The grey and white alternation of printed rows. One sequence lives as long as the program, so
// a printout goes on from where the previous one ended.
class ShadingSequence
{
public:
    // Whether the next printed row gets the grey background.
    bool next()
    {
        m_shaded = !m_shaded;
        return m_shaded;
    }

private:
    bool m_shaded = false;
};

} // namespace kapstat::print
