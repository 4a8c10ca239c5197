#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace eew {

// Where a message broker listens: "mqtt://HOST[:PORT]" (1883 unless given)
// or "mqtts://HOST[:PORT]" (TLS, 8883); an IPv6 host in brackets.
struct BrokerAddress {
    bool tls = false;
    std::string host;  // without the brackets of an IPv6 address
    int port = 0;
    // The address as a URL, for messages: "mqtts://host:8883".
    std::string text() const;
    bool operator==(const BrokerAddress&) const = default;
};

// Nothing for a text that is not such a URL: another scheme, no host, a port
// outside 1..65535, a path, user information or spaces.
std::optional<BrokerAddress> parse_broker_url(std::string_view url);

// A user name and its password, from a file holding the name on its first
// line and the password on its second (LF or CR LF; nothing else is read).
struct BrokerLogin {
    std::string user;
    std::string password;
};

// The login, or why the file cannot give one (missing, unreadable, no name).
std::variant<BrokerLogin, std::string> read_broker_login(const std::string& path);

// The broker a display subscribes to, from "broker.conf" in the data folder:
// `url=`, `topic=`, optional `ca=` and `auth=` (relative paths are relative
// to the data folder). A missing file means no broker.
struct BrokerConfig {
    BrokerAddress address;
    std::string topic;
    std::string ca_file;  // a PEM certificate to trust; empty for the system's store
    std::optional<BrokerLogin> login;
};

struct BrokerConfigFile {
    std::optional<BrokerConfig> broker;  // nothing: no file, or none usable
    std::vector<std::string> faults;     // one per line that could not be used, naming it
};

BrokerConfigFile read_broker_config(const std::string& data_folder);

// The client name this program folder uses at the broker, so that the broker
// keeps its subscription while it is away: read from "broker_client_id" in the
// data folder, made (random) and written there the first time. When it cannot
// be written the name made serves this run, and the fault says what is lost.
struct BrokerClientId {
    std::string id;
    std::optional<std::string> fault;
};
BrokerClientId broker_client_id(const std::string& data_folder);

}  // namespace eew
