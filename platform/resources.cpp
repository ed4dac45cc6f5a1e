// The dialogs, icons and help file compiled into the program live in this library's
// resource object; this file only gives the library a translation unit of its own.
namespace tw {
int ResourceLibraryAnchor()
{
    return 0;
}
} // namespace tw
