#include "config/broker_config.hpp"

#include <unistd.h>

#include <fstream>
#include <random>

#include "text/host_port.hpp"
#include "text/trimmed.hpp"
#include "text/whole_file.hpp"

namespace eew {
namespace {

// A path in the configuration is relative to the data folder unless absolute.
std::string in_folder(const std::string& folder, const std::string& path) {
    return path.starts_with('/') ? path : folder + path;
}

}  // namespace

std::string BrokerAddress::text() const {
    const std::string shown = host.find(':') == std::string::npos ? host : "[" + host + "]";
    return (tls ? "mqtts://" : "mqtt://") + shown + ":" + std::to_string(port);
}

std::optional<BrokerAddress> parse_broker_url(std::string_view url) {
    BrokerAddress address;
    if (url.starts_with("mqtts://")) {
        address.tls = true;
        url.remove_prefix(8);
    } else if (url.starts_with("mqtt://")) {
        url.remove_prefix(7);
    } else {
        return std::nullopt;
    }
    // A trailing slash is harmless; a path, a query or a login in the URL is
    // not something a broker address has, and is refused rather than dropped.
    if (url.ends_with('/')) url.remove_suffix(1);
    if (url.find_first_of("/?#@ ") != std::string_view::npos) return std::nullopt;
    const auto host_port = parse_host_port(url, address.tls ? 8883 : 1883);
    if (!host_port) return std::nullopt;
    address.host = host_port->host;
    address.port = host_port->port;
    return address;
}

std::variant<BrokerLogin, std::string> read_broker_login(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "the login file \"" + path + "\" cannot be read";
    BrokerLogin login;
    std::getline(in, login.user);
    std::getline(in, login.password);
    if (!login.user.empty() && login.user.back() == '\r') login.user.pop_back();
    if (!login.password.empty() && login.password.back() == '\r') login.password.pop_back();
    if (login.user.empty()) return "the login file \"" + path + "\" has no user name on line 1";
    return login;
}

BrokerConfigFile read_broker_config(const std::string& data_folder) {
    BrokerConfigFile result;
    const std::string path = data_folder + "broker.conf";
    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    BrokerConfig config;
    bool have_url = false;
    const auto fault = [&](int n, const std::string& what) {
        result.faults.push_back("The file \"" + path + "\": line " + std::to_string(n) + " " +
                                what + ".");
    };
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        const std::string text(trimmed(line));
        if (text.empty() || text.starts_with('#')) continue;
        const std::size_t eq = text.find('=');
        const std::string key(trimmed(std::string_view(text).substr(0, eq)));
        const std::string value(
            eq == std::string::npos ? "" : trimmed(std::string_view(text).substr(eq + 1)));
        if (eq == std::string::npos) {
            fault(n, "is not KEY=VALUE");
        } else if (key == "url") {
            auto address = parse_broker_url(value);
            if (address) config.address = *address;
            have_url = have_url || address.has_value();
            if (!address)
                fault(n, "is not a broker address (mqtt://HOST:PORT or mqtts://HOST:PORT)");
        } else if (key == "topic") {
            // A subscription filter's wildcards would take in other feeds.
            const bool usable = !value.empty() && value.find_first_of("#+") == std::string::npos;
            if (usable) config.topic = value;
            if (!usable) fault(n, "is not a topic name (no wildcards)");
        } else if (key == "ca") {
            config.ca_file = in_folder(data_folder, value);
        } else if (key == "auth") {
            auto login = read_broker_login(in_folder(data_folder, value));
            if (auto* l = std::get_if<BrokerLogin>(&login)) config.login = *l;
            if (auto* e = std::get_if<std::string>(&login))
                fault(n, "names a login that fails: " + *e);
        } else {
            fault(n, "has the unknown key \"" + key + "\"");
        }
    }
    if (have_url && !config.topic.empty()) {
        result.broker = config;
    } else {
        result.faults.push_back("The file \"" + path +
                                "\" gives no usable url= and topic=. No broker is used.");
    }
    return result;
}

BrokerClientId broker_client_id(const std::string& data_folder) {
    const std::string path = data_folder + "broker_client_id";
    // The name is kept with the computer and the folder it was made for: a
    // program folder copied to another display must not take this one's
    // session at the broker, which would throw each of them off in turn.
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string owner = std::string(host) + "\n" + data_folder;
    {
        std::ifstream in(path, std::ios::binary);
        std::string id, line, kept;
        if (in && std::getline(in, id))
            while (std::getline(in, line))
                kept += (kept.empty() ? "" : "\n") + line;
        if (trimmed(id).size() >= 8 && kept == owner) return {std::string(trimmed(id)), {}};
    }
    std::random_device random;
    std::string id = "eew-display-";
    static constexpr char kHex[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i)
        id += kHex[random() % 16];
    if (auto error = write_file_replacing(path, id + "\n" + owner + "\n"))
        return {id, *error + ". Reports sent while the program is closed are not kept for it."};
    return {id, {}};
}

}  // namespace eew
