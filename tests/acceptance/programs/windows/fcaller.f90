! Calls the DLL through its import library, and the Win32 API (MulDiv of
! kernel32) the same way: bind(c) with the stdcall convention.
program fcaller
  use iso_c_binding
  implicit none
  interface
    subroutine greet() bind(c, name='greet')
    end subroutine greet
    function twice(n) bind(c, name='twice')
      import :: c_int
!GCC$ ATTRIBUTES STDCALL :: twice
      integer(c_int), value :: n
      integer(c_int) :: twice
    end function twice
    function muldiv(a, b, c) bind(c, name='MulDiv')
      import :: c_int
!GCC$ ATTRIBUTES STDCALL :: muldiv
      integer(c_int), value :: a, b, c
      integer(c_int) :: muldiv
    end function muldiv
  end interface
  call greet()
  print '(a, i0)', 'twice(21) = ', twice(21_c_int)
  print '(a, i0)', 'MulDiv(6, 7, 2) = ', muldiv(6_c_int, 7_c_int, 2_c_int)
end program fcaller
