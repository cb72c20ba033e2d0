// The product library exports its seventeen entry points and nothing else of ours: the dynamic
// symbol table of the built libclouddb.so is read straight from the ELF file, and every entry
// point is found by name the way the host finds it.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kLibrary = CLOUDDB_LIBRARY;

const std::set<std::string> kEntryPoints = {
    "DiscoverRDSInventory",        "DiscoverRDSInventoryLocal",   "BrowseInventoryHandler",
    "GetOracleCloudInstanceTree",  "CloudDBRemoteEntryPoint",     "GetOracleCloudInstanceList",
    "DiscoverRDSNewInventory",     "DiscoverDocumentDBInventory", "DiscoverRedshiftInventory",
    "DescribeRDSInstanceSnapshot", "DescribeRDSClusterSnapshot",  "DeleteRDSInstanceSnapshot",
    "DeleteRDSClusterSnapshot",    "DescribeDocDBClusterSnapshot", "DeleteDocDBClusterSnapshot",
    "DescribeRedshiftSnapshot",    "DeleteRedshiftSnapshot",
};

// Symbols the linker defines in every shared object; they are not ours.
const std::set<std::string> kLinkerMarkers = {"_init", "_fini", "_edata", "_end", "__bss_start"};

struct DefinedSymbol {
  std::string name;
  unsigned char type = STT_NOTYPE;
  unsigned char binding = STB_LOCAL;
};

std::vector<char> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename T>
const T* at(const std::vector<char>& image, std::size_t offset) {
  if (offset + sizeof(T) > image.size()) {
    return nullptr;
  }
  return reinterpret_cast<const T*>(image.data() + offset);
}

// The defined symbols of the dynamic symbol table of a 64-bit ELF file.
std::vector<DefinedSymbol> definedDynamicSymbols(const std::vector<char>& image) {
  std::vector<DefinedSymbol> symbols;
  const auto* header = at<Elf64_Ehdr>(image, 0);
  if (header == nullptr || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 || header->e_ident[EI_CLASS] != ELFCLASS64) {
    ADD_FAILURE() << kLibrary << " is not a 64-bit ELF file";
    return symbols;
  }
  for (unsigned i = 0; i < header->e_shnum; ++i) {
    const auto* section = at<Elf64_Shdr>(image, header->e_shoff + i * sizeof(Elf64_Shdr));
    if (section == nullptr || section->sh_type != SHT_DYNSYM) {
      continue;
    }
    const auto* strings = at<Elf64_Shdr>(image, header->e_shoff + section->sh_link * sizeof(Elf64_Shdr));
    for (std::size_t offset = section->sh_offset; offset + sizeof(Elf64_Sym) <= section->sh_offset + section->sh_size;
         offset += sizeof(Elf64_Sym)) {
      const auto* symbol = at<Elf64_Sym>(image, offset);
      if (symbol == nullptr || strings == nullptr || symbol->st_shndx == SHN_UNDEF || symbol->st_name == 0) {
        continue;
      }
      const std::size_t nameAt = strings->sh_offset + symbol->st_name;
      if (nameAt >= image.size()) {
        continue;
      }
      symbols.push_back({std::string(image.data() + nameAt), static_cast<unsigned char>(ELF64_ST_TYPE(symbol->st_info)),
                         static_cast<unsigned char>(ELF64_ST_BIND(symbol->st_info))});
    }
  }
  return symbols;
}

TEST(ExportList, HoldsExactlyTheEntryPointsAsFunctions) {
  const std::vector<char> image = readFile(kLibrary);
  ASSERT_FALSE(image.empty()) << "cannot read " << kLibrary;
  std::set<std::string> exportedFunctions;
  std::vector<std::string> strangers;
  for (const DefinedSymbol& symbol : definedDynamicSymbols(image)) {
    if (kLinkerMarkers.count(symbol.name) != 0 || symbol.binding == STB_LOCAL) {
      continue;
    }
    if (symbol.type == STT_FUNC && kEntryPoints.count(symbol.name) != 0) {
      exportedFunctions.insert(symbol.name);
    } else {
      strangers.push_back(symbol.name);
    }
  }
  EXPECT_EQ(exportedFunctions, kEntryPoints);
  EXPECT_TRUE(strangers.empty()) << "also exported: " << ::testing::PrintToString(strangers);
}

TEST(ExportList, EveryEntryPointIsFoundByName) {
  void* handle = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  for (const std::string& name : kEntryPoints) {
    EXPECT_NE(dlsym(handle, name.c_str()), nullptr) << name << ": " << dlerror();
  }
  dlclose(handle);
}

}  // namespace
