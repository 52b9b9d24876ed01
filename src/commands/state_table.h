#pragma once

#include "psychro/state_solver.h"

#include <optional>
#include <string>
#include <string_view>

// The moist-air states of a CSV table, for hourly weather data and lab
// measurements: the header names two properties (t, ts, td, phi or φ, d, i,
// Pq, in any case), each row gives their values, and every other column is
// carried through unchanged. Written back is the table with the properties
// it lacks added as columns, in the order t, ts, td, phi, d, i, Pq, Pqb, v,
// rho (their names in the header), each value in the number text of a
// single-precision value; a wet bulb or dew point outside −30…100 °C is an
// empty cell.
//
// Fields are separated by commas and may be quoted ("…", with "" for a
// quote); records end with LF or CRLF; a UTF-8 byte-order mark at the start
// is kept. The two property cells must hold a whole decimal number each
// (blanks around it allowed); an empty line is passed over.
namespace state_table {

struct Result {
    std::string out; // the table
    std::string err; // one line per row without a state, naming it by its line number
    int failedRows = 0;
    // Why the table as a whole cannot be read (its header); out and err are
    // then empty.
    std::optional<std::string> refusal;
};

Result StatesOfTable(std::string_view csv, double B /* Pa */);

// The quantities written for a state, in their order: the solver's seven
// properties, then the saturation pressure Pqb, the specific volume v and the
// density ρ.
enum class Quantity { t, ts, td, phi, d, i, Pq, Pqb, v, rho };

// A quantity's value; nothing for a wet bulb or dew point outside −30…100 °C.
std::optional<float> QuantityValue(const MoistAirState &state, Quantity quantity);

// The property a quantity is, if it is one of the solver's seven.
std::optional<state_solver::Property> PropertyOf(Quantity quantity);

// A property cell: a whole decimal number (optional sign, digits with an
// optional "." and fraction, optional exponent), blanks and tabs around it
// allowed; nothing for any other text, an empty one included.
std::optional<double> CellNumber(std::string_view text);

} // namespace state_table
