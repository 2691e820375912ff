// The request codes a plug-in built for its last event. The program reads
// the count once and then asks for the codes one by one, so a list stays
// unchanged until the next Build or Free.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

class cRequestList {
public:
    // Replaces the list; returns its length.
    int Build(std::initializer_list<int> codes)
    {
        m_Codes.assign(codes);
        return Count();
    }
    // The same for a list whose length is known only at run time.
    int Build(std::vector<int> codes)
    {
        m_Codes = std::move(codes);
        return Count();
    }
    // Drops the list: the plug-in keeps none.
    void Free()
    {
        m_Codes.clear();
        m_Codes.shrink_to_fit();
    }
    int Count() const { return static_cast<int>(m_Codes.size()); }
    // Outside the list: 0, a code nobody serves.
    int Get(int index) const
    {
        return index >= 0 && index < Count() ? m_Codes[static_cast<std::size_t>(index)] : 0;
    }

private:
    std::vector<int> m_Codes;
};
