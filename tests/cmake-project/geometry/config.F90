module config
  implicit none
#include "greeting.inc"
contains
  function greeting() result(text)
    character(len=:), allocatable :: text
#ifdef LOUD_GREETING
    text = LOUD_TEXT
#else
    text = 'hello, cmake'
#endif
  end function greeting
end module config
