// Builds an SQLite catalogue file from SQL text: make_catalogue SQL_FILE DB_FILE.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_catalogue SQL_FILE DB_FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_catalogue: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream sql;
    sql << in.rdbuf();
    std::remove(argv[2]);
    sqlite3* db = nullptr;
    char* error = nullptr;
    int rc = sqlite3_open(argv[2], &db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql.str().c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "make_catalogue: %s\n", error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        std::remove(argv[2]);
    return rc == SQLITE_OK ? 0 : 1;
}
