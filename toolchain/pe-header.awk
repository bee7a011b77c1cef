# Reads a PE file as decimal bytes (od -An -v -tu1) and knows its header
# fields, the export directory and every resource directory table.
#   -v stamp=SECONDS   prints "OFFSET VALUE" lines that set every time stamp
#                      to SECONDS and then the checksum over the result
#   -v at=OFFSET       prints the name of what holds byte OFFSET
# Nothing else in a stripped binary carries a time: the import directory's
# stamp stays 0 (not bound), windres writes no time and strip removes the
# debug directory.

function u16(o) { return b[o] + 256 * b[o + 1] }
function u32(o) { return u16(o) + 65536 * u16(o + 2) }
function field(name, at, size) { nf++; fname[nf] = name; fat[nf] = at; fsize[nf] = size }
# Fields one after another from AT, from a list of "Name:size".
function fields(prefix, at, list,    n, parts, i, kv) {
    n = split(list, parts, " ")
    for (i = 1; i <= n; i++) {
        split(parts[i], kv, ":")
        field(prefix kv[1], at, kv[2])
        at += kv[2]
    }
}
function offset_of(rva,    i, span) {
    for (i = 0; i < nsec; i++) {
        span = svsize[i] > sraw[i] ? sraw[i] : svsize[i]
        if (rva >= sva[i] && rva < sva[i] + span) return rva - sva[i] + sptr[i]
    }
    return -1
}
function set32(o, v,    i) { for (i = 0; i < 4; i++) { b[o + i] = v % 256; v = int(v / 256) } }
function put32(o, v) { printf "%d %d\n", o, v; set32(o, v) }

{ for (i = 1; i <= NF; i++) b[n++] = $i }

END {
    pe = u32(60)
    if (n < 64 || pe + 24 > n || u32(pe) != 17744) { print "no PE header" > "/dev/stderr"; exit 1 }
    fields("DOS header ", 0, "e_magic:2 (rest):58 e_lfanew:4")
    fields("COFF header ", pe, "Signature:4 Machine:2 NumberOfSections:2 TimeDateStamp:4 " \
        "PointerToSymbolTable:4 NumberOfSymbols:4 SizeOfOptionalHeader:2 Characteristics:2")
    opt = pe + 24
    fields("optional header ", opt, "Magic:2 MajorLinkerVersion:1 MinorLinkerVersion:1 SizeOfCode:4 " \
        "SizeOfInitializedData:4 SizeOfUninitializedData:4 AddressOfEntryPoint:4 BaseOfCode:4 " \
        "BaseOfData:4 ImageBase:4 SectionAlignment:4 FileAlignment:4 MajorOperatingSystemVersion:2 " \
        "MinorOperatingSystemVersion:2 MajorImageVersion:2 MinorImageVersion:2 " \
        "MajorSubsystemVersion:2 MinorSubsystemVersion:2 Win32VersionValue:4 SizeOfImage:4 " \
        "SizeOfHeaders:4 CheckSum:4 Subsystem:2 DllCharacteristics:2 SizeOfStackReserve:4 " \
        "SizeOfStackCommit:4 SizeOfHeapReserve:4 SizeOfHeapCommit:4 LoaderFlags:4 NumberOfRvaAndSizes:4")
    checksum = opt + 64
    split("Export Import Resource Exception Security BaseRelocation Debug Architecture GlobalPtr " \
        "TLS LoadConfig BoundImport IAT DelayImport CLR Reserved", dirname, " ")
    ndir = u32(opt + 92)
    for (i = 0; i < ndir && i < 16; i++)
        fields("data directory " dirname[i + 1] " ", opt + 96 + 8 * i, "RVA:4 Size:4")
    nsec = u16(pe + 6)
    sections = opt + u16(pe + 20)
    for (i = 0; i < nsec; i++) {
        s = sections + 40 * i
        sname[i] = ""
        for (j = 0; j < 8 && b[s + j] > 0; j++) sname[i] = sname[i] sprintf("%c", b[s + j])
        svsize[i] = u32(s + 8); sva[i] = u32(s + 12); sraw[i] = u32(s + 16); sptr[i] = u32(s + 20)
        fields("section header " sname[i] " ", s, "Name:8 VirtualSize:4 VirtualAddress:4 SizeOfRawData:4 " \
            "PointerToRawData:4 PointerToRelocations:4 PointerToLinenumbers:4 NumberOfRelocations:2 " \
            "NumberOfLinenumbers:2 Characteristics:4")
    }
    nstamp = 0
    stamps[++nstamp] = pe + 8
    export = ndir > 0 && u32(opt + 100) ? offset_of(u32(opt + 96)) : -1
    if (export >= 0) {
        fields("export directory ", export, "Characteristics:4 TimeDateStamp:4 MajorVersion:2 MinorVersion:2 " \
            "Name:4 Base:4 NumberOfFunctions:4 NumberOfNames:4 AddressOfFunctions:4 AddressOfNames:4 " \
            "AddressOfNameOrdinals:4")
        stamps[++nstamp] = export + 4
    }
    # The resource tree, table by table: an entry whose offset has its high
    # bit set leads to another table, relative to the tree's start.
    resource = ndir > 2 && u32(opt + 116) ? offset_of(u32(opt + 112)) : -1
    if (resource >= 0) {
        todo[1] = 0; ntodo = 1
        while (ntodo > 0 && ntables < 10000) {
            t = resource + todo[ntodo--]
            ntables++
            fields("resource directory table at +" (t - resource) " ", t, "Characteristics:4 TimeDateStamp:4 " \
                "MajorVersion:2 MinorVersion:2 NumberOfNamedEntries:2 NumberOfIdEntries:2")
            stamps[++nstamp] = t + 4
            entries = u16(t + 12) + u16(t + 14)
            for (e = 0; e < entries; e++) {
                to = u32(t + 16 + 8 * e + 4)
                if (to >= 2147483648) todo[++ntodo] = to - 2147483648
            }
        }
    }

    if (at != "") {
        for (i = 1; i <= nf; i++)
            if (at >= fat[i] && at < fat[i] + fsize[i]) { print fname[i]; exit 0 }
        for (i = 0; i < nsec; i++)
            if (at >= sptr[i] && at < sptr[i] + sraw[i]) { printf "section %s, +0x%x\n", sname[i], at - sptr[i]; exit 0 }
        print (at < sptr[0] ? "header padding" : "past the sections")
        exit 0
    }

    if (stamp != "") {
        for (i = 1; i <= nstamp; i++) put32(stamps[i], stamp)
        # The image checksum: the file's 16-bit words summed with their carries
        # folded back in, the checksum field counting as 0, plus the length.
        set32(checksum, 0)
        sum = 0
        for (i = 0; i < n; i += 2) sum += b[i] + 256 * b[i + 1]
        while (sum > 65535) sum = sum % 65536 + int(sum / 65536)
        put32(checksum, sum + n)
    }
}
