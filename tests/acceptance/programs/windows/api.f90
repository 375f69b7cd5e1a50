! The DLL of the Windows builds: greet() as C names it, and twice() with
! the stdcall convention of the Win32 API (decorated "twice@4" on 32-bit
! Windows).
module api
  use iso_c_binding
  implicit none
contains
  subroutine greet() bind(c, name='greet')
    print '(a)', 'Hello from the DLL!'
  end subroutine greet
  function twice(n) bind(c, name='twice')
!GCC$ ATTRIBUTES STDCALL :: twice
    integer(c_int), value :: n
    integer(c_int) :: twice
    twice = 2 * n
  end function twice
end module api
