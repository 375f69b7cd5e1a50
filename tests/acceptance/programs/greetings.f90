module greetings
  implicit none
contains
  subroutine greet(name)
    character(len=*), intent(in) :: name
    print '(a)', 'Hello, ' // name // '!'
  end subroutine greet
end module greetings
