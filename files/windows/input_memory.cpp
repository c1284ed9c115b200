// Room for a whole input on Windows: an ordinary reservation.

#include "files/byte_store.hpp"

namespace nuk {

void reserveForInput(Bytes& data, std::size_t size) { data.reserve(size); }

}  // namespace nuk
