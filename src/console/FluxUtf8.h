#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace veltrane {

// Tampon de flux qui reçoit du Windows-1252 et écrit de l'UTF-8 dans un autre flux, par blocs :
// un long document passe au terminal sans être gardé en entier.
class FluxUtf8 : public std::streambuf {
public:
    explicit FluxUtf8(std::ostream& destination);
    ~FluxUtf8() override;
    FluxUtf8(const FluxUtf8&) = delete;
    FluxUtf8& operator=(const FluxUtf8&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool vider();

    std::ostream& destination_;
    std::string tampon_;
};

} // namespace veltrane
